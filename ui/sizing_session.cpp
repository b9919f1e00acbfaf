#include "ui/sizing_session.h"

#include "config/codepage.h"

namespace kestrix {

SizingSession::SizingSession(Language language, QObject* parent)
    : QObject(parent), language_(language) {}

QString SizingSession::diameterMark() const {
    return japanese() ? QStringLiteral("φ") : QStringLiteral("Φ");
}

QString SizingSession::evaluateFlow(const QString& expression) {
    lastFlowExpression_ = expression;
    return QString::fromStdString(evaluator_.EvaluateFlowText(kestrix::ToCp932Lossy(expression)));
}

} // namespace kestrix
