// The page's part of the window: it hands the core the typed text and shows, in order, what the
// run told its view. The rules are the core's; nothing here decides anything about a number.
import createCore from "./shujian-core.js";

const $ = (id) => document.getElementById(id);
const qqnum = $("qqnum");
const Command1 = $("Command1");
const resulttxt = $("resulttxt");
const judgement = $("judgement");
const message = $("message");

// The kinds of step the core's view writes down (web/core.cpp).
const Step = {Result: 1, Input: 2, Message: 3, Verdict: 4, Appraisal: 5};
// Where the window takes the first line of a paste.
const LINE_BREAK = /[\r\n\u2028\u2029]/;

// Start-up as the window's: the caret in the input box with its whole text selected, and the
// introduction kept as the result box shows it now, before anyone can type into it.
const introduction = resulttxt.value;
qqnum.focus();
selectAll();
const core = createCore().then((module) => {
  writeText(module, introduction);
  module._shujian_load();
  return module;
});
// Once the page is up, so that the worker's downloads do not hold up the first run.
if ("serviceWorker" in navigator) {
  addEventListener("load", () => navigator.serviceWorker.register("sw.js").catch(() => {}));
}

function selectAll() {
  qqnum.setSelectionRange(0, qqnum.value.length);
}

function writeText(module, text) {
  const at = module._shujian_text(text.length) >> 1;
  const units = module.HEAPU16;
  for (let i = 0; i < text.length; ++i) units[at + i] = text.charCodeAt(i);
}

function readText(units, at, length) {
  let text = "";
  for (let end = at + length; at < end; at += 4096)
    text += String.fromCharCode.apply(null, units.subarray(at, Math.min(at + 4096, end)));
  return text;
}

// The steps of one run as [kind, text] pairs.
function runCore(module, input) {
  writeText(module, input);
  const at = module._shujian_run() >> 1;
  const end = at + module._shujian_steps_length();
  const units = module.HEAPU16;
  const steps = [];
  for (let i = at; i < end;) {
    const length = units[i + 1] * 0x10000 + units[i + 2];
    steps.push([units[i], readText(units, i + 3, length)]);
    i += 3 + length;
  }
  return steps;
}

let running = false;

async function RunAnalysis() {
  if (running) return;
  running = true;
  try {
    const steps = runCore(await core, qqnum.value);
    for (let i = 0; i < steps.length; ++i) {
      const [kind, text] = steps[i];
      if (kind === Step.Result) {
        resulttxt.value = text;
        resulttxt.scrollTop = 0;
      } else if (kind === Step.Input) {
        qqnum.value = text;
        selectAll();
      } else if (kind === Step.Message) {
        closeJudgement();
        await showMessage(text);
      } else if (kind === Step.Verdict) {
        presentJudgement(text, steps[++i][1]);
      }
    }
    announce();
  } finally {
    running = false;
  }
}

function showMessage(text) {
  $("message-text").textContent = text;
  message.showModal();
  return new Promise((resolve) => message.addEventListener("close", resolve, {once: true}));
}

// The verdict above the appraisal; the bar closes instead when both are empty.
function presentJudgement(verdict, appraisal) {
  $("verdict").textContent = verdict;
  $("appraisal").textContent = appraisal;
  judgement.hidden = verdict === "" && appraisal === "";
}

function closeJudgement() {
  judgement.hidden = true;
}

// A screen reader hears the report and the judgement once the run is done.
function announce() {
  const said = [resulttxt.value];
  if (!judgement.hidden) said.push($("verdict").textContent, $("appraisal").textContent);
  $("announce").textContent = said.join("\n");
}

// Enter runs, as the window's key handler does; Ctrl+Enter, Alt+Enter and the Enter that ends an
// input method's composition do not.
qqnum.addEventListener("keydown", (event) => {
  if (event.key !== "Enter" || event.isComposing || event.keyCode === 229) return;
  if (event.ctrlKey || event.altKey || event.metaKey) return;
  event.preventDefault(); // or the key would go on to press the message's button
  RunAnalysis();
});
Command1.addEventListener("click", RunAnalysis);

// Any button going down in the input box selects its whole text.
qqnum.addEventListener("mousedown", (event) => {
  event.preventDefault();
  qqnum.focus();
  selectAll();
});

// A single-line box keeps the first line of a paste or a drop.
function insertFirstLine(event, data) {
  if (!data) return;
  const text = data.getData("text/plain");
  if (!LINE_BREAK.test(text)) return;
  event.preventDefault();
  qqnum.focus();
  document.execCommand("insertText", false, text.split(LINE_BREAK)[0]);
}
qqnum.addEventListener("paste", (event) => insertFirstLine(event, event.clipboardData));
qqnum.addEventListener("drop", (event) => insertFirstLine(event, event.dataTransfer));

// A double click on the credit label opens the page once, as one click would.
$("Label2").addEventListener("click", (event) => {
  if (event.detail > 1) event.preventDefault();
});
$("message-ok").addEventListener("click", () => message.close());
$("judgement-close").addEventListener("click", closeJudgement);
document.addEventListener("keydown", (event) => {
  if (event.key === "Escape" && !message.open) closeJudgement();
});
