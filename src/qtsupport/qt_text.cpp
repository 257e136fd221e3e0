#include "qtsupport/qt_text.h"

#include "data/cp1252.h"
#include "data/fields.h"
#include "data/file_io.h"
#include "data/utf8.h"

#include <QFile>

namespace zav {

QString fromCp1252(std::string_view bytes) {
    QString out;
    out.reserve(static_cast<qsizetype>(bytes.size()));
    for (char c : bytes)
        out.append(QChar(static_cast<char16_t>(cp1252::toUnicode(static_cast<unsigned char>(c)))));
    return out;
}

std::string toCp1252(const QString& text) {
    std::string out;
    out.reserve(static_cast<std::size_t>(text.size()));
    for (const char32_t cp : text.toUcs4()) {
        const int byte = cp1252::fromUnicode(cp);
        out += byte < 0 ? '?' : static_cast<char>(byte);
    }
    return out;
}

bool isBlank(const QString& typed) { return trimControls(toCp1252(typed)).empty(); }

std::optional<std::int32_t> wholeNumber(const QString& typed) { return parseInteger(toCp1252(typed)); }

// A byte that is not part of well-formed UTF-8 travels in a QString as the
// lone low surrogate U+DC80 to U+DCFF (as Python's "surrogateescape"): Qt's
// own conversion would turn it into U+FFFD, and two names into one.
std::string toFileSystemPath(const QString& path) {
    std::string out;
    out.reserve(static_cast<std::size_t>(path.size()));
    for (qsizetype i = 0; i < path.size(); ++i) {
        const QChar c = path[i];
        const bool pair = c.isHighSurrogate() && i + 1 < path.size() && path[i + 1].isLowSurrogate();
        if (!pair && c.unicode() >= 0xDC80 && c.unicode() <= 0xDCFF) {
            out += static_cast<char>(c.unicode() - 0xDC00);
            continue;
        }
        out += QStringView(path).mid(i, pair ? 2 : 1).toUtf8().toStdString();
        if (pair) ++i;
    }
    return out;
}

QString fromFileSystemPath(std::string_view bytes) {
    QString out;
    while (!bytes.empty()) {
        const std::size_t length = utf8::sequenceLength(bytes);
        if (length == 0)
            out += QChar(static_cast<char16_t>(0xDC00 + static_cast<unsigned char>(bytes.front())));
        else
            out += QString::fromUtf8(bytes.data(), static_cast<qsizetype>(length));
        bytes.remove_prefix(length == 0 ? 1 : length);
    }
    return out;
}

QString absoluteFileName(const std::string& fileSystemPath) {
    return fromFileSystemPath(absolutePath(fileSystemPath).string());
}

} // namespace zav
