#pragma once

// Names the application to the platform and gives it its interface font; main() and the
// start-up benchmark both call it before creating the window.
void SetUpApplication();
