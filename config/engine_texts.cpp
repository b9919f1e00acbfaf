#include "config/engine_texts.h"

#include <QCoreApplication>

namespace kestrix {

namespace {

std::string Utf8(const QString& text) {
    return text.toStdString();
}

} // namespace

std::string SizingMessageText(SizingMessage message) {
    switch (message) {
    case SizingMessage::None:
        return {};
    case SizingMessage::DuctLimits:
        return Utf8(QCoreApplication::translate(
            "SizingMessages", "Please correct 'Unit frictional loss' or 'maximum air velocity'"));
    case SizingMessage::FlowTooBig:
        return Utf8(QCoreApplication::translate("SizingMessages", "Flow Rate is too big."));
    case SizingMessage::DuctRoughness:
        return Utf8(QCoreApplication::translate(
            "SizingMessages", "Please correct the 'Duct Roughness' of the duct material"));
    case SizingMessage::TerminalLimits:
        return Utf8(QCoreApplication::translate(
            "SizingMessages", "Please correct 'Free Area' or 'Surface Velocity'"));
    }
    return {};
}

std::string ErrorCaption() {
    return Utf8(QCoreApplication::translate("SizingMessages", "Kestrix Error"));
}

std::string EvaluationErrorText(EvaluationErrorKind kind) {
    switch (kind) {
    // The floating-point unit's own wording, never translated.
    case EvaluationErrorKind::Overflow:
        return "浮動小数点数のオーバーフロー";
    case EvaluationErrorKind::InvalidOperation:
        return "不正な浮動小数点数演算命令";
    case EvaluationErrorKind::TextTooLong:
        return Utf8(QCoreApplication::translate(
            "EvaluationErrors", "The expression is too long: at most 255 characters."));
    case EvaluationErrorKind::TooManyVariables:
        return Utf8(QCoreApplication::translate(
            "EvaluationErrors", "Too many variables: at most 256 names can be defined."));
    }
    return {};
}

} // namespace kestrix
