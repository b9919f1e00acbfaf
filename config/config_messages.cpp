#include "config/config_messages.h"

#include "config/config_paths.h"

namespace kestrix {

std::string MissingFileMessage(std::string_view fileName, bool japanese) {
    const std::string name(fileName);
    return japanese ? "必要なﾌｧｲﾙ[" + name + "]が見つかりません。\n起動できません。"
                    : "need files-[" + name + "] are not found.\nCan not start.";
}

std::string BadRowNumberMessage(ConfigFile file, bool japanese) {
    switch (file) {
    case ConfigFile::Materials:
        return japanese ? "材料ﾃﾞｰﾀ番号が不正です。有効な値は 1～64 です。"
                        : "Material data number is illegitimate. Effective value 64 is from 1.";
    case ConfigFile::DuctStyles:
        return japanese ? "ﾀﾞｸﾄ選定ｽﾀｲﾙ番号が不正です。有効な値は 1～64 です。"
                        : "Duct selection style number is illegitimate. Effective value 64 is "
                          "from 1.";
    case ConfigFile::TerminalStyles:
        return japanese ? "器具選定ｽﾀｲﾙ番号が不正です。有効な値は 1～64 です。"
                        : "Diffuser style number is illegitimate. Effective value 64 is from 1.";
    }
    return {};
}

std::string MoreBadRowNumbersMessage(ConfigFile file, size_t count, bool japanese) {
    const std::string name(ConfigFileName(file, japanese));
    const std::string n = std::to_string(count);
    return japanese ? "ﾌｧｲﾙ[" + name + "]には、ほかにも番号が不正なﾚｺｰﾄﾞが " + n +
                          " 件あり、読み飛ばしました。"
                    : "File [" + name + "] holds " + n +
                          " more records with an illegitimate number; they were skipped.";
}

std::string StyleNotRegisteredMessage(StyleKind kind, bool japanese) {
    if (kind == StyleKind::Duct)
        return japanese ? "ﾀﾞｸﾄ選定ｽﾀｲﾙが登録されていません。"
                        : "Duct selection style is not registered.";
    return japanese ? "器具選定スタイルが登録されていません。"
                    : "Diffuser selection style is not registered.";
}

std::string SaveFailureMessage(std::string_view fileName) {
    return "ﾌｧｲﾙ[" + std::string(fileName) + "]を保存できません.";
}

std::string SaveFailureCaption() {
    return "Kestrix ｴﾗｰ";
}

} // namespace kestrix
