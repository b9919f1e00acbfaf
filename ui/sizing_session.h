#pragma once

// The state of one sizing run that is no widget's business, shared by the
// duct page and the air-terminal page: the one evaluator and the last flow
// expression, the language, the style tables and the active criteria, the
// candidates of each page as typed records, and each page's shape and mode.
// The pages talk through it: a flow evaluated on one page reaches the other
// by flowShared, a flow edited on the air-terminal page empties the duct
// page's results by terminalFlowEdited.

#include "config/config_records.h"
#include "config/language.h"
#include "engine/duct_sizing.h"
#include "engine/expression_evaluator.h"
#include "engine/terminal_sizing.h"

#include <QObject>
#include <QString>

#include <vector>

namespace kestrix {

enum class PageKind { Duct, Terminal };
// List: pick a size from the candidates; Detail: type a size and check it.
enum class SizingMode { List, Detail };
enum class SizeShape { Round, Rectangular };

struct DuctSizeCandidate {
    QString size; // as listed: "300x250" or "283Φ"
    QString velocity;
    QString frictionLoss;
    QString aspectRatio;
    QString dynamicPressure;
};

struct TerminalSizeCandidate {
    QString size;
    QString faceVelocity;
};

class SizingSession : public QObject {
    Q_OBJECT

  public:
    explicit SizingSession(Language language, QObject* parent = nullptr);

    Language language() const { return language_; }
    // Whether the run speaks Japanese.
    bool japanese() const { return language_ == Language::Japanese; }
    // The diameter mark of round sizes: "φ" in Japanese, "Φ" in English.
    QString diameterMark() const;

    ExpressionEvaluator& evaluator() { return evaluator_; }
    // Remembers the expression as the last one typed, then evaluates it. The
    // evaluator reads code-page text and counts its length limit in its
    // bytes; a character the code page cannot hold comes as "?", as Windows
    // converts it.
    QString evaluateFlow(const QString& expression);
    const QString& lastFlowExpression() const { return lastFlowExpression_; }

    // A page has evaluated its flow; the other page shows it.
    void shareFlow(PageKind from, const QString& flow) { emit flowShared(from, flow); }
    // The air-terminal page's flow changed: a new flow empties the results
    // of both pages.
    void terminalFlowChanged() { emit terminalFlowEdited(); }

    // Style tables, as read at start-up and changed by the style editor.
    MaterialTable materials{};
    DuctStyleTable ductStyles{};
    TerminalStyleTable terminalStyles{};
    // The chosen entries of the style lists, as stored in the settings.
    int selectedDuctStyle = 0;
    int selectedTerminalStyle = 0;

    // The criteria in force: those of the last style applied.
    DuctCriteria ductCriteria;
    TerminalCriteria terminalCriteria;

    std::vector<DuctSizeCandidate> ductCandidates;
    std::vector<TerminalSizeCandidate> terminalCandidates;

    SizingMode ductMode = SizingMode::List;
    SizingMode terminalMode = SizingMode::List;
    SizeShape ductShape = SizeShape::Rectangular;
    SizeShape terminalShape = SizeShape::Rectangular;
    // The duct size as put on the clipboard: "300x250" or "283Φ".
    QString ductSizeText;

  signals:
    void flowShared(kestrix::PageKind from, const QString& flow);
    void terminalFlowEdited();

  private:
    Language language_;
    ExpressionEvaluator evaluator_;
    QString lastFlowExpression_;
};

} // namespace kestrix
