#include "config/config_paths.h"

#include <QCoreApplication>

namespace kestrix {

QString DefaultConfigDirectory() {
    return QCoreApplication::applicationDirPath();
}

std::string_view ConfigFileName(ConfigFile file, Language language) {
    const bool japanese = language == Language::Japanese;
    switch (file) {
    case ConfigFile::Materials:
        return japanese ? "ksx_mate.cfg" : "ksx_mate_e.cfg";
    case ConfigFile::DuctStyles:
        return japanese ? "KSX_Set1.cfg" : "KSX_Set1_e.cfg";
    case ConfigFile::TerminalStyles:
        return japanese ? "KSX_Set2.cfg" : "KSX_Set2_e.cfg";
    }
    return {};
}

std::string_view StyleFileName(StyleKind kind, Language language) {
    return ConfigFileName(
        kind == StyleKind::Duct ? ConfigFile::DuctStyles : ConfigFile::TerminalStyles, language);
}

QString ConfigFilePath(const QString& directory, std::string_view fileName) {
    QString path = directory;
    if (!path.endsWith(QLatin1Char('/')) && !path.endsWith(QLatin1Char('\\')))
        path += QLatin1Char('/');
    return path + QString::fromLatin1(fileName.data(), qsizetype(fileName.size()));
}

} // namespace kestrix
