#pragma once

// TForm1, the program's one main window: the duct page, the air-terminal page,
// the frame around them and the state of one run.
//
// Where the code lives:
//   main_window.cpp        construction, frame, resize rules, stay-on-top,
//                          activation, message boxes and the handler guard
//   main_window_layout.cpp the controls of both pages at their design positions
//   startup.cpp            FormCreate (language, settings, configuration files)
//                          and End_btnClick (closing sequence)
//   captions.cpp           ApplyLanguageCaptions, ApplyUnitCaptions, fonts
//   flow_fields.cpp        the flow-rate fields Q1 and Q3
//   duct_page.cpp          handlers of the duct page
//   terminal_page.cpp      handlers of the air-terminal page
//   column_list_box.*      the candidate lists shown in columns
//   splitter_bar.*         the bars above the property boxes
//   page_frames.*          the tab control and the page boxes, with their frames

#include "config/config_records.h"
#include "engine/duct_sizing.h"
#include "engine/expression_evaluator.h"
#include "engine/terminal_sizing.h"
#include "ui/style_editor_host.h"

#include <QFont>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QAction;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QToolButton;
class ClickFilter;
class ColumnListBox;
class SplitterBar;

namespace kestrix {
class Settings;
}

// The kinds of box the window shows.
enum class MessageKind {
    Error,         // the program's own errors: one OK button, no icon
    LibraryError,  // a library function failed inside the evaluator
    StandardError, // an error that escaped a handler: stop icon, OK
};

struct MessageRequest {
    MessageKind kind = MessageKind::Error;
    QString caption;
    QString text;
};

// What the window takes from its surroundings. The defaults are the real
// program's; tests replace them.
struct TForm1Options {
    // The command-line parameters, without the program itself.
    QStringList arguments;
    // Directory of the configuration files; empty: the executable's directory.
    QString configDirectory;
    // The settings store: the factory when given, else an INI file at
    // settingsFile when given, else the program's own (registry or INI file).
    std::function<std::unique_ptr<kestrix::Settings>()> settingsFactory;
    QString settingsFile;
    // Stands in for "the system locale is Japanese" in the language rule.
    std::optional<bool> systemJapanese;
    // Shows a message box; empty: a real, modal QMessageBox.
    std::function<void(const MessageRequest&)> showMessage;
    // Ends the process; empty: std::exit. When it returns (tests), the window
    // stops what it was doing and stays inert.
    std::function<void(int status)> exitProcess;
};

class TForm1 : public QWidget, public kestrix::EvaluatorMessages, public kestrix::StyleEditorHost {
    Q_OBJECT

  public:
    explicit TForm1(TForm1Options options = {}, QWidget* parent = nullptr);
    ~TForm1() override;

    // --- Frame (main_window.cpp) -------------------------------------------
    QTabWidget* PageControl1 = nullptr;
    QWidget* TabSheet1 = nullptr;
    QWidget* TabSheet3 = nullptr;
    QWidget* BottomPanel = nullptr;
    QLabel* air_b = nullptr;
    QLabel* air_f = nullptr;
    QMenu* PopupMenu1 = nullptr;
    QAction* topview = nullptr;
    QAction* about = nullptr;
    QAction* ductSystem = nullptr; // opens the duct-system window

    // --- Duct page ------------------------------------------------------------
    QFrame* Panel1 = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* Q1 = nullptr;
    QPushButton* SP1 = nullptr;
    QFrame* Shape1 = nullptr;
    QLabel* Select = nullptr;
    QPushButton* Set_Button1 = nullptr;
    QComboBox* DuctStyleCB = nullptr;
    QRadioButton* RBT1 = nullptr;
    QGroupBox* GroupBox3 = nullptr;
    QWidget* Blank1 = nullptr;
    ColumnListBox* whl = nullptr;
    SplitterBar* d_spli = nullptr;
    QGroupBox* d_pro = nullptr;
    QRadioButton* RBT2 = nullptr;
    QLabel* Label7 = nullptr;
    QLineEdit* E_w = nullptr;
    QToolButton* xxbn = nullptr;
    QLineEdit* E_h = nullptr;
    QPushButton* SP2 = nullptr;
    QLabel* Label9 = nullptr;
    QLineEdit* E_as = nullptr;
    QLabel* Label10 = nullptr;
    QLineEdit* E_wv = nullptr;
    QLabel* Label11 = nullptr;
    QLineEdit* E_ap = nullptr;
    QLabel* Label12 = nullptr;
    QLineEdit* E_dp = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* E_aq = nullptr;
    QLabel* Label5 = nullptr;
    QLineEdit* E_fai = nullptr;
    QLabel* Label6 = nullptr;
    QLineEdit* M_wv = nullptr;

    // --- Air-terminal page ------------------------------------------------------
    QFrame* Panel5 = nullptr;
    QLabel* Label4 = nullptr;
    QLineEdit* Q3 = nullptr;
    QPushButton* HSCal = nullptr;
    QFrame* Shape2 = nullptr;
    QLabel* Select2 = nullptr;
    QPushButton* Set_Button2 = nullptr;
    QComboBox* KiguStyleCB = nullptr;
    QRadioButton* bRB1 = nullptr;
    QGroupBox* GroupBox9 = nullptr;
    QWidget* Blank2 = nullptr;
    ColumnListBox* hsbox = nullptr;
    SplitterBar* h_spli = nullptr;
    QGroupBox* h_pro = nullptr;
    QRadioButton* bRB2 = nullptr;
    QLabel* Label15 = nullptr;
    QLineEdit* bE_w = nullptr;
    QToolButton* xxbn2 = nullptr;
    QLineEdit* bE_h = nullptr;
    QPushButton* BP2 = nullptr;
    QLabel* Label18 = nullptr;
    QLineEdit* hsk = nullptr;
    QLabel* Label25 = nullptr;
    QLineEdit* hsv = nullptr;
    QLabel* l_hm = nullptr;
    QLineEdit* hsj = nullptr;
    QLabel* l_ym = nullptr;
    QLineEdit* hsy = nullptr;
    QLabel* Label3 = nullptr;
    QLineEdit* haq = nullptr;

    // Hidden per-candidate lists, parallel to whl and hsbox.
    QStringList dvlst, dplst, aslst, aplst; // velocity, loss, aspect, dynamic pressure
    QStringList HSVV;                       // face velocity

    // --- State of the run -------------------------------------------------------
    int selectedDuctStyle = 0;     // "S_cnt"
    int selectedTerminalStyle = 0; // "K_cnt"
    double StandardGravity = kestrix::Gravity;
    double Pi = kestrix::Pi;
    // DuctRoughness, DuctVelocity, DuctLossLimit, DuctAspectLimit, PressureInPa.
    kestrix::DuctCriteria ductCriteria;
    // TerminalVelocity, TerminalRatio.
    kestrix::TerminalCriteria terminalCriteria;
    bool DuctDetailMode = false;
    bool TerminalDetailMode = false;
    QString DuctSizeText;
    QString LastFlowExpression;

    QString DynPressurePaCaption;
    QString DynPressureKgfCaption;
    QString LossPaCaption;
    QString LossMmAqCaption;
    QString DiameterMark;

    kestrix::MaterialTable materials{};
    kestrix::DuctStyleTable ductStyles{};
    kestrix::TerminalStyleTable terminalStyles{};

    kestrix::ExpressionEvaluator evaluator;

    // The language of the run, decided once at start-up.
    bool japaneseUi() const { return japanese_; }
    bool PressureInPa() const { return ductCriteria.pressureInPa; }
    // The directory the configuration files are read from and saved to.
    QString configDirectory() const override { return configDirectory_; }
    // False once a fatal condition has ended the run (tests keep the window).
    bool isRunning() const { return running_; }

    // --- Frame handlers (main_window.cpp) ----------------------------------------
    void FormResize();
    void Panel1Resize();
    void topviewClick();
    void aboutClick();
    void ductSystemClick();
    // Duct page shown, focus and selection in Q1.
    void FormActivate();
    // Called by whoever opened one of the program's dialogs, once it has closed.
    void DialogClosed();

    // Lays the frame and both pages out for the window's current size.
    void LayoutWindow();

    // The design font ("ＭＳ Ｐゴシック" 12 px or the nearest Japanese
    // proportional Gothic) and the English interface font (8 pt).
    static QFont DesignFont();
    static QFont EnglishFont();
    // Size and property fields: read-only ones in the button-face colour,
    // editable ones in the window colour.
    static void SetFieldReadOnly(QLineEdit* field, bool readOnly);
    // The field holds a plain number (IsPlainNumber).
    static bool Plain(const QLineEdit* field);

    // --- Start-up and close (startup.cpp) ----------------------------------------
    void FormCreate();
    void End_btnClick();

    // --- Captions (captions.cpp) ------------------------------------------------
    void ApplyLanguageCaptions();
    void ApplyUnitCaptions();

    // --- Flow-rate fields (flow_fields.cpp) --------------------------------------
    void Q1KeyPress();
    void Q3KeyPress();
    void Q1Change();
    void Q3Change();
    void Q1Click();
    void Q3Click();
    // The evaluation steps of the calculate and recalculate actions.
    QString EvaluateFlowText(const QString& text);

    // --- Duct page (duct_page.cpp) -----------------------------------------------
    void DuctStyleCBChange() override;
    void SP1Click();
    void SP2Click();
    void whlClick();
    void whlMouseMove();
    void RBT1Click();
    void RBT2Click();
    void xxbnClick();
    void E_hChange();
    void E_wKeyPress();
    void E_hKeyPress();
    void E_wClick();
    void E_hClick();
    void Label7Click();
    void Label7DblClick();
    void E_dpClick(QLineEdit* field);
    void E_dpEnter(QLineEdit* field);
    void E_dpKeyDown(QLineEdit* field, int key);
    void TabSheet1Enter();
    void d_spliCanResize(int& newSize, bool& accept);
    void d_spliMoved();
    void SelectClick();
    void Set_Button1Click();

    // --- Air-terminal page (terminal_page.cpp) -----------------------------------
    void KiguStyleCBChange() override;
    void HSCalClick();
    void BP2Click();
    void hsboxClick();
    void hsboxMouseMove();
    void bRB1Click();
    void bRB2Click();
    void xxbn2Click();
    void bE_wChange();
    // Enter in bE_w or bE_h; the field is the one that received the key.
    void bE_wKeyPress(QLineEdit* field);
    void bE_wClick();
    void bE_hClick();
    void Label15Click();
    void Label15DblClick();
    void h_spliMoved();
    void Set_Button2Click();
    void Select2Click();

    // --- Messages (main_window.cpp) -----------------------------------------------
    // The program's own error box, captioned in the interface language.
    void ShowErrorMessage(const QString& text);
    void ShowMessage(const MessageRequest& request);
    // A fatal condition: the message, then the end of the process (status 1)
    // without writing the settings.
    void Fatal(const QString& text);
    void LibraryError(const std::string& text) override;

    // Runs a handler; an error escaping it abandons the handler and is shown in
    // the standard error box, and the program carries on.
    void RunGuarded(const std::function<void()>& handler);
    // A handler as a slot, run under RunGuarded.
    auto Slot(void (TForm1::*handler)()) {
        return [this, handler] { RunGuarded([this, handler] { (this->*handler)(); }); };
    }

    // --- Host of the dialogs (dialog_openers.cpp) ---------------------------------
    // The mode of the style editor: false duct styles, true air-terminal styles.
    bool editingTerminalStyles() const override { return editingTerminalStyles_; }
    void setEditingTerminalStyles(bool terminal) override { editingTerminalStyles_ = terminal; }
    const kestrix::MaterialTable& materialTable() const override { return materials; }
    kestrix::DuctStyleTable& ductStyleTable() override { return ductStyles; }
    kestrix::TerminalStyleTable& terminalStyleTable() override { return terminalStyles; }
    QComboBox* ductStyleList() override { return DuctStyleCB; }
    QComboBox* terminalStyleList() override { return KiguStyleCB; }
    void showProgramMessage(const QString& caption, const QString& text) override;
    QWidget* hostWindow() override { return this; }

  protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

  private:
    // main_window_layout.cpp
    // The tab captions are given in the language the window will show: a tab
    // bar measures its captions at once, and Japanese ones in the English
    // font make the font matcher search every installed font for a fallback.
    void BuildFrame(bool japanese);
    void BuildDuctPage();
    void BuildTerminalPage();
    void LayoutDuctPage();
    void LayoutTerminalPage();
    void LayoutDuctProperties();
    void LayoutTerminalProperties();
    int PropertyBoxLimit(QWidget* page, QWidget* panel) const;

    // main_window.cpp
    void ConnectFrame();
    // The signals and mouse events of each page (duct_page.cpp, terminal_page.cpp).
    void ConnectDuctPage();
    void ConnectTerminalPage();
    ClickFilter* clicks_ = nullptr;
    void ExitProcess(int status);
    void SetStayOnTop(bool onTop);
    void ClampOntoScreen(int& left, int& top, int& width, int& height) const;

    // startup.cpp
    bool DecideJapanese() const;
    void RestoreSettings();
    enum class StyleFileRead { Missing, Empty, Loaded };
    using StyleLoader = std::function<std::vector<std::string>(const std::vector<std::string>&,
                                                               kestrix::StyleNameList&)>;
    StyleFileRead ReadStyleFile(kestrix::StyleKind kind, QComboBox* list, int& selected,
                                const StyleLoader& load);
    bool LoadDuctStyleFile();
    bool LoadMaterialFile();
    bool LoadTerminalStyleFile();

    // captions.cpp
    void ApplyRadioWidths();
    static QString DuctTabCaption(bool japanese);
    static QString TerminalTabCaption(bool japanese);

    // duct_page.cpp: flow and every size field the shape needs are plain numbers.
    bool DuctSizeAndFlowPlain() const;

    // flow_fields.cpp
    void ClearDuctResults();
    void ClearDuctProperties();
    void ClearTerminalResults();

    TForm1Options options_;
    bool japanese_ = false;
    // While the window is being made, the captions of the property boxes are
    // measured once at the end instead of at every intermediate layout.
    bool captionLayoutDeferred_ = false;
    QString configDirectory_;
    bool editingTerminalStyles_ = false;
    std::unique_ptr<kestrix::Settings> settings_;
    bool running_ = true;
    bool activateOnNextWindowActivation_ = true;
};
