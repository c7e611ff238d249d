#include "QtShell.h"

#include "patient/TextRules.h"

#include <QDesktopServices>
#include <QString>
#include <QUrl>

#include <array>
#include <string_view>

namespace tiravel {

bool QtShell::isAddress(const std::string& pathOrUrl)
{
    constexpr std::array<std::string_view, 3> kSchemes = {"http://", "https://", "mailto:"};
    for (std::string_view scheme : kSchemes) {
        if (prefixMatch(scheme, pathOrUrl, scheme.size()))
            return true;
    }
    return false;
}

bool QtShell::openDocument(const std::string& pathOrUrl)
{
    const QString text = QString::fromStdString(pathOrUrl);
    const QUrl url = isAddress(pathOrUrl) ? QUrl(text) : QUrl::fromLocalFile(text);
    return url.isValid() && QDesktopServices::openUrl(url);
}

} // namespace tiravel
