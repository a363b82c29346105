#pragma once

#include <QLatin1StringView>
#include <QStringView>

// Who made the program and where to find them: shown in the introduction and the credit label.
namespace maker {

inline constexpr QStringView Name = u"" SHUJIAN_MAKER;
inline constexpr QStringView WebAddress = u"" SHUJIAN_MAKER_SITE;
inline constexpr QStringView ContactNumber = u"" SHUJIAN_MAKER_QQ;
// The release's date, yyyy-mm-dd, as the build reads it from the package changelog.
inline constexpr QLatin1StringView ReleaseDate{SHUJIAN_RELEASE_DATE};
// The page the credit label opens, not the address it shows: the program's home page, the one
// the package metadata names.
inline constexpr QLatin1StringView PageUrl{SHUJIAN_HOMEPAGE_URL};

} // namespace maker
