#include "config/config_messages.h"

#include "config/config_paths.h"
#include "config/language.h"

#include <QCoreApplication>

namespace kestrix {

namespace {

QString Q(std::string_view text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

} // namespace

std::string MissingFileMessage(std::string_view fileName) {
    return QCoreApplication::translate("ConfigMessages",
                                       "need files-[%1] are not found.\nCan not start.")
        .arg(Q(fileName))
        .toStdString();
}

std::string BadRowNumberMessage(ConfigFile file) {
    switch (file) {
    case ConfigFile::Materials:
        return QCoreApplication::translate(
                   "ConfigMessages",
                   "Material data number is illegitimate. Effective value 64 is from 1.")
            .toStdString();
    case ConfigFile::DuctStyles:
        return QCoreApplication::translate(
                   "ConfigMessages",
                   "Duct selection style number is illegitimate. Effective value 64 is from 1.")
            .toStdString();
    case ConfigFile::TerminalStyles:
        return QCoreApplication::translate(
                   "ConfigMessages",
                   "Diffuser style number is illegitimate. Effective value 64 is from 1.")
            .toStdString();
    }
    return {};
}

std::string MoreBadRowNumbersMessage(ConfigFile file, size_t count) {
    return QCoreApplication::translate(
               "ConfigMessages",
               "File [%1] holds %2 more records with an illegitimate number; they were skipped.")
        .arg(Q(ConfigFileName(file, CurrentLanguage())), QString::number(count))
        .toStdString();
}

std::string StyleNotRegisteredMessage(StyleKind kind) {
    if (kind == StyleKind::Duct)
        return QCoreApplication::translate("ConfigMessages",
                                           "Duct selection style is not registered.")
            .toStdString();
    return QCoreApplication::translate("ConfigMessages",
                                       "Diffuser selection style is not registered.")
        .toStdString();
}

// Written in Japanese in both languages, as the program always has.
std::string SaveFailureMessage(std::string_view fileName) {
    return "ﾌｧｲﾙ[" + std::string(fileName) + "]を保存できません.";
}

std::string SaveFailureCaption() {
    return "Kestrix ｴﾗｰ";
}

} // namespace kestrix
