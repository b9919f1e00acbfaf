#include "engine/messages.h"

namespace kestrix {

std::string SizingMessageText(SizingMessage message, bool japanese) {
    switch (message) {
    case SizingMessage::None:
        return {};
    case SizingMessage::DuctLimits:
        return japanese ? "単位摩擦損失または、最大風速の値を訂正してください"
                        : "Please correct 'Unit frictional loss' or 'maximum air velocity'";
    case SizingMessage::FlowTooBig:
        return japanese ? "風量が多すぎます。" : "Flow Rate is too big.";
    case SizingMessage::DuctRoughness:
        return japanese ? "ダクト材質の内面粗度の値を訂正してください"
                        : "Please correct the 'Duct Roughness' of the duct material";
    case SizingMessage::TerminalLimits:
        return japanese ? "開口率または、面風速の値を訂正してください"
                        : "Please correct 'Free Area' or 'Surface Velocity'";
    }
    return {};
}

std::string ErrorCaption(bool japanese) {
    return japanese ? "Kestrix エラー" : "Kestrix Error";
}

} // namespace kestrix
