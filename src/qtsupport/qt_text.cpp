#include "qtsupport/qt_text.h"

#include "data/cp1252.h"
#include "data/fields.h"
#include "data/file_io.h"

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

std::string toFileSystemPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

QString absoluteFileName(const std::string& fileSystemPath) {
    return QFile::decodeName(QByteArray::fromStdString(absolutePath(fileSystemPath).string()));
}

} // namespace zav
