// The style editor, the style-name dialog and the about box, driven as a user
// drives them on the offscreen platform. Modal boxes are answered by a script
// that fails the test when a box appears unexpectedly or is left open.

#include "config/codepage.h"
#include "config/config_paths.h"
#include "config/config_reader.h"
#include "config/config_writer.h"
#include "config/language.h"
#include "tests/ui/typing.h"
#include "ui/about_box.h"
#include "ui/fonts.h"
#include "ui/style_editor.h"
#include "ui/style_editor_host.h"
#include "ui/style_name_dialog.h"
#include "ui/version_info.h"

#include <QApplication>
#include <QComboBox>
#include <QDesktopServices>
#include <QElapsedTimer>
#include <QFile>
#include <QGroupBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <memory>

using namespace kestrix;

namespace {

// A control of a dialog by its objectName, as automation finds it; a name
// that is gone is a broken contract and ends the test program.
template <typename Widget> Widget* Find(const QObject* dialog, const char* objectName) {
    auto* widget = dialog->findChild<Widget*>(QString::fromLatin1(objectName));
    if (!widget) qFatal("no control named %s", objectName);
    return widget;
}

// Runs a test in one language and goes back to Japanese, the language the
// dialogs are tested in unless a case says otherwise.
class LanguageForTest {
  public:
    explicit LanguageForTest(bool japanese) {
        QVERIFY(UseLanguage(japanese ? Language::Japanese : Language::English));
    }
    ~LanguageForTest() { UseLanguage(Language::Japanese); }
    LanguageForTest(const LanguageForTest&) = delete;
    LanguageForTest& operator=(const LanguageForTest&) = delete;
};

// ---------------------------------------------------------------------------
// Answers the modal widgets that open, one step per newly active modal widget.
class ModalScript : public QObject {
  public:
    using Step = std::function<void(QWidget*)>;

    explicit ModalScript(int timeoutMs = 5000) : timeoutMs_(timeoutMs) {
        // One script answers at a time: a newer one takes over.
        if (active_) active_->timer_.stop();
        active_ = this;
        connect(&timer_, &QTimer::timeout, this, &ModalScript::poll);
        timer_.start(10);
    }
    ~ModalScript() override {
        if (active_ == this) active_ = nullptr;
    }

    ModalScript& then(Step step) {
        steps_.append(std::move(step));
        return *this;
    }

    void fail(const QString& problem) { problems_.append(problem); }
    QString problems() const { return problems_.join(QLatin1Char('\n')); }
    bool clean() const { return problems_.isEmpty() && steps_.isEmpty(); }
    qsizetype stepsLeft() const { return steps_.size(); }

  private:
    static QString describe(QWidget* widget) {
        QString text = QString::fromLatin1(widget->metaObject()->className()) +
                       QLatin1String(" \"") + widget->windowTitle() + QLatin1Char('"');
        if (auto* box = qobject_cast<QMessageBox*>(widget))
            text += QLatin1String(": ") + box->text();
        return text;
    }

    static void dismiss(QWidget* widget) {
        if (auto* dialog = qobject_cast<QDialog*>(widget)) {
            dialog->reject();
        } else {
            widget->close();
        }
    }

    void poll() {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) return;
        if (modal != last_.data()) {
            last_ = modal;
            openFor_.start();
            if (steps_.isEmpty()) {
                fail(QLatin1String("unexpected modal widget ") + describe(modal));
                dismiss(modal);
                return;
            }
            Step step = steps_.takeFirst();
            // Run outside this slot: the step may open a nested modal loop.
            QTimer::singleShot(0, modal, [modal, step] { step(modal); });
            return;
        }
        if (openFor_.elapsed() > timeoutMs_) {
            fail(QLatin1String("modal widget left open: ") + describe(modal));
            openFor_.start();
            dismiss(modal);
        }
    }

    static inline ModalScript* active_ = nullptr;
    QTimer timer_;
    QList<Step> steps_;
    QStringList problems_;
    QPointer<QWidget> last_;
    QElapsedTimer openFor_;
    int timeoutMs_;
};

// What a message box showed.
struct SeenBox {
    QString caption;
    QString text;
    QMessageBox::StandardButtons buttons;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    Qt::TextFormat format = Qt::AutoText;
    int count = 0;
};

ModalScript::Step Answer(ModalScript& script, QMessageBox::StandardButton button, SeenBox* seen) {
    return [&script, button, seen](QWidget* widget) {
        auto* box = qobject_cast<QMessageBox*>(widget);
        if (!box) {
            script.fail(QLatin1String("expected a message box, got ") +
                        QString::fromLatin1(widget->metaObject()->className()));
            if (auto* dialog = qobject_cast<QDialog*>(widget)) dialog->reject();
            return;
        }
        if (seen) {
            seen->caption = box->windowTitle();
            seen->text = box->text();
            seen->buttons = box->standardButtons();
            seen->icon = box->icon();
            seen->format = box->textFormat();
            ++seen->count;
        }
        // NoButton: the box's only button.
        QAbstractButton* target = box->button(button);
        if (button == QMessageBox::NoButton && box->buttons().size() == 1)
            target = box->buttons().first();
        if (!target) {
            script.fail(QLatin1String("message box without the expected button: ") + box->text());
            box->reject();
            return;
        }
        target->click();
    };
}

// Types a name into the name dialog and clicks OK (or Cancel).
ModalScript::Step EnterName(ModalScript& script, const QString& text, bool ok = true,
                            QString* title = nullptr, QString* initial = nullptr) {
    return [&script, text, ok, title, initial](QWidget* widget) {
        auto* dialog = qobject_cast<StyleNameDialog*>(widget);
        if (!dialog) {
            script.fail(QLatin1String("expected the name dialog"));
            if (auto* other = qobject_cast<QDialog*>(widget)) other->reject();
            return;
        }
        if (title) *title = dialog->windowTitle();
        if (initial) *initial = Find<QLineEdit>(dialog, "name")->text();
        Find<QLineEdit>(dialog, "name")->selectAll();
        QTest::keyClick(Find<QLineEdit>(dialog, "name"), Qt::Key_Backspace);
        TypeText(Find<QLineEdit>(dialog, "name"), text);
        QTest::mouseClick(ok ? Find<QPushButton>(dialog, "Button1")
                             : Find<QPushButton>(dialog, "Button2"),
                          Qt::LeftButton);
    };
}

// Runs an action on the editor that an opening function shows.
ModalScript::Step OnEditor(ModalScript& script, std::function<void(StyleEditor*)> action) {
    return [&script, action](QWidget* widget) {
        auto* editor = qobject_cast<StyleEditor*>(widget);
        if (!editor) {
            script.fail(QLatin1String("expected the style editor"));
            if (auto* other = qobject_cast<QDialog*>(widget)) other->reject();
            return;
        }
        action(editor);
    };
}

std::string Cp(const QString& text) {
    return ToCp932(text).value();
}

DuctSelectionStyle Duct(const char* name, const char* material, const char* velocity,
                        const char* loss, const char* units, const char* aspect) {
    return DuctSelectionStyle{name, material, velocity, loss, units, aspect};
}

// ---------------------------------------------------------------------------
// The main window as the dialogs see it.
class FakeHost : public StyleEditorHost {
  public:
    FakeHost() {
        ductList = new QComboBox(&window);
        terminalList = new QComboBox(&window);
        materials[0] = {Cp(QStringLiteral("亜鉛鉄板")), "0.15"};
        materials[1] = {"PVC", "0.01"};
        directory = temp.path();
    }

    void setDuctStyles(const std::vector<DuctSelectionStyle>& styles, int selected) {
        ducts = {};
        ductList->clear();
        for (std::size_t i = 0; i < styles.size(); ++i) {
            ducts[i] = styles[i];
            ductList->addItem(FromCp932(styles[i].name));
        }
        ductList->setCurrentIndex(selected);
    }

    void setTerminalStyles(const std::vector<TerminalSelectionStyle>& styles, int selected) {
        terminals = {};
        terminalList->clear();
        for (std::size_t i = 0; i < styles.size(); ++i) {
            terminals[i] = styles[i];
            terminalList->addItem(FromCp932(styles[i].name));
        }
        terminalList->setCurrentIndex(selected);
    }

    static QStringList entries(const QComboBox* list) {
        QStringList names;
        for (int i = 0; i < list->count(); ++i)
            names.append(list->itemText(i));
        return names;
    }

    bool editingTerminalStyles() const override { return terminalMode; }
    void setEditingTerminalStyles(bool terminal) override { terminalMode = terminal; }
    const MaterialTable& materialTable() const override { return materials; }
    DuctStyleTable& ductStyleTable() override { return ducts; }
    TerminalStyleTable& terminalStyleTable() override { return terminals; }
    QComboBox* ductStyleList() override { return ductList; }
    QComboBox* terminalStyleList() override { return terminalList; }
    void DuctStyleCBChange() override {
        ++ductChanges;
        ductIndexSeen = ductList->currentIndex();
    }
    void KiguStyleCBChange() override {
        ++terminalChanges;
        terminalIndexSeen = terminalList->currentIndex();
    }
    QString configDirectory() const override { return directory; }
    void showProgramMessage(const QString& caption, const QString& text) override {
        hostMessages.append(caption + QLatin1String(": ") + text);
    }
    QWidget* hostWindow() override { return &window; }

    QWidget window;
    QComboBox* ductList = nullptr;
    QComboBox* terminalList = nullptr;
    MaterialTable materials{};
    DuctStyleTable ducts{};
    TerminalStyleTable terminals{};
    bool terminalMode = false;
    int ductChanges = 0;
    int terminalChanges = 0;
    int ductIndexSeen = -2;
    int terminalIndexSeen = -2;
    QTemporaryDir temp;
    QString directory;
    QStringList hostMessages;
};

const DuctSelectionStyle kStyleA = Duct("A", "1", "10.0", "0.10", "0", "4.0");
const DuctSelectionStyle kStyleB = Duct("B", "2", "8.0", "1.00", "1", "3.0");
const DuctSelectionStyle kStyleC = Duct("C", "1", "6.5", "0.08", "0", "2.5");

QByteArray FileBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

QByteArray Joined(const std::vector<std::string>& lines) {
    QByteArray bytes;
    for (const std::string& line : lines)
        bytes += QByteArray::fromStdString(line) + "\r\n";
    return bytes;
}

} // namespace

// ---------------------------------------------------------------------------
class DialogsTest : public QObject {
    Q_OBJECT

  private slots:
    void openingStoresShownStyleInNormalForm_data();
    void openingStoresShownStyleInNormalForm();
    void materialThatIsNotLoadedShowsNothing_data();
    void materialThatIsNotLoadedShowsNothing();
    void editFieldStoresNumbersAndEnterRestores_data();
    void editFieldStoresNumbersAndEnterRestores();
    void unitSwitchKeepsTheNumber();
    void altLettersChooseNothingInTheLists();
    void materialChoiceStoresRowNumber();
    void userTextIsShownAsWritten();
    void newStyleStopsAtSixtyFour_data();
    void newStyleStopsAtSixtyFour();
    void newTerminalStyleGetsDefaults();
    void deleteMovesLaterStylesUp_data();
    void deleteMovesLaterStylesUp();
    void deleteFirstLeavesNoneSelected();
    void deleteAnsweredNoKeepsEverything();
    void renameChangesOnlyTheSelectedStyle();
    void renameWithNoneSelectedOpensNothing();
    void enterPressesOnlyAFocusedButton_data();
    void enterPressesOnlyAFocusedButton();
    void renameToSameNameIsRefused_data();
    void renameToSameNameIsRefused();
    void cancelLeavesHostUntouched_data();
    void cancelLeavesHostUntouched();
    void applyWithNoneSelectedUsesNoSlot();
    void saveWritesRowsInListOrder_data();
    void saveWritesRowsInListOrder();
    void gapInRowNumbersCloses_data();
    void gapInRowNumbersCloses();
    void failedSaveKeepsStylesAppliedAndProgramRunning();
    void editorTitlesCaptionsAndFrame_data();
    void editorTitlesCaptionsAndFrame();
    void nameDialogChecksTheName_data();
    void nameDialogChecksTheName();
    void nameDialogKeys();
    void nameDialogComparesOnlyNamesOfTheEditedKind_data();
    void nameDialogComparesOnlyNamesOfTheEditedKind();
    void aboutBoxInBothLanguages_data();
    void aboutBoxInBothLanguages();
    void aboutBoxWithoutVersionInformation();
    void aboutBoxSitsInTheMiddleOfTheScreen();
    void embeddedVersionBlock_data();
    void embeddedVersionBlock();
    void aboutLinkOpensPageEachTime();
};

// ---------------------------------------------------------------------------
// Showing a style

void DialogsTest::openingStoresShownStyleInNormalForm_data() {
    QTest::addColumn<QString>("velocity");
    QTest::addColumn<QString>("loss");
    QTest::addColumn<QString>("units");
    QTest::addColumn<QString>("storedVelocity");
    QTest::addColumn<QString>("storedLoss");
    QTest::addColumn<QString>("storedUnits");
    QTest::addColumn<bool>("paChecked");
    QTest::newRow("units 2 becomes 1") << "10"
                                       << "0.1"
                                       << "2"
                                       << "10.0"
                                       << "0.10"
                                       << "1" << true;
    QTest::newRow("units 0 stays") << "9.96"
                                   << "1"
                                   << "0"
                                   << "10.0"
                                   << "1.00"
                                   << "0" << false;
    QTest::newRow("units 00 is Pa") << "8"
                                    << "0.125"
                                    << "00"
                                    << "8.0"
                                    << "0.13"
                                    << "1" << true;
}

void DialogsTest::openingStoresShownStyleInNormalForm() {
    QFETCH(QString, velocity);
    QFETCH(QString, loss);
    QFETCH(QString, units);
    FakeHost host;
    const DuctSelectionStyle original{
        "S", "2", velocity.toStdString(), loss.toStdString(), units.toStdString(), "4"};
    host.setDuctStyles({kStyleA, original}, 1);
    StyleEditor editor(host);
    QCOMPARE(editor.currentStyle(), 1);
    const DuctSelectionStyle& shown = editor.workingDuctStyles()[1];
    QTEST(QString::fromStdString(shown.velocity), "storedVelocity");
    QTEST(QString::fromStdString(shown.frictionLoss), "storedLoss");
    QTEST(QString::fromStdString(shown.units), "storedUnits");
    QCOMPARE(shown.aspectRatio, std::string("4.0"));
    QTEST(Find<QRadioButton>(&editor, "Rd_SI_2")->isChecked(), "paChecked");
    QCOMPARE(Find<QRadioButton>(&editor, "Rd_SI_1")->isChecked(),
             !Find<QRadioButton>(&editor, "Rd_SI_2")->isChecked());
    QCOMPARE(Find<QComboBox>(&editor, "ZLIST")->currentIndex(), 1);
    QCOMPARE(Find<QLineEdit>(&editor, "EPU")->text(), QStringLiteral("0.01"));
    // The main window keeps its texts until Apply.
    QCOMPARE(host.ducts[1], original);
    QCOMPARE(editor.workingDuctStyles()[0], kStyleA);
}

void DialogsTest::materialThatIsNotLoadedShowsNothing_data() {
    QTest::addColumn<QString>("material");
    QTest::addColumn<int>("listIndex");
    QTest::addColumn<QString>("roughness");
    QTest::newRow("first") << "1" << 0 << "0.15";
    QTest::newRow("second") << "2" << 1 << "0.01";
    QTest::newRow("empty slot") << "3" << -1 << "";
    // Looked up by its row number, as the main window does.
    QTest::newRow("after an empty slot") << "4" << 2 << "0.0015";
    QTest::newRow("last slot, empty") << "64" << -1 << "";
    QTest::newRow("zero") << "0" << -1 << "";
    QTest::newRow("beyond the table") << "65" << -1 << "";
    QTest::newRow("negative") << "-1" << -1 << "";
    QTest::newRow("not a number") << "x" << -1 << "";
    QTest::newRow("empty") << "" << -1 << "";
}

void DialogsTest::materialThatIsNotLoadedShowsNothing() {
    QFETCH(QString, material);
    FakeHost host;
    host.materials[3] = {"Copper", "0.0015"}; // row 4, after the empty row 3
    host.setDuctStyles({Duct("S", material.toLatin1().constData(), "10.0", "0.10", "0", "4.0")}, 0);
    StyleEditor editor(host);
    QTEST(Find<QComboBox>(&editor, "ZLIST")->currentIndex(), "listIndex");
    QTEST(Find<QLineEdit>(&editor, "EPU")->text(), "roughness");
    QCOMPARE(FakeHost::entries(Find<QComboBox>(&editor, "ZLIST")),
             (QStringList{"亜鉛鉄板", "PVC", "Copper"}));
    // An empty material stops the showing of the style before its fields.
    QCOMPARE(Find<QLineEdit>(&editor, "DVV")->text(),
             material.isEmpty() ? QString() : QStringLiteral("10.0"));
}

// ---------------------------------------------------------------------------
// Editing

void DialogsTest::editFieldStoresNumbersAndEnterRestores_data() {
    QTest::addColumn<bool>("terminal");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");
    QTest::newRow("exponent") << false << "DVV"
                              << "1e1"
                              << "10.0";
    QTest::newRow("not a number") << false << "DVV"
                                  << "abc"
                                  << "12.0";
    QTest::newRow("number then letters") << false << "DVV"
                                         << "7x"
                                         << "7.0";
    // Halves as the design's conversion reads them: 0.15 and 0.85 lie a hair
    // above, where their nearest doubles lie below.
    QTest::newRow("velocity, a decimal half") << false << "DVV"
                                              << "0.15"
                                              << "0.2";
    QTest::newRow("aspect ratio, a decimal half") << false << "MASP"
                                                  << "0.85"
                                                  << "0.9";
    QTest::newRow("loss, two decimals") << false << "DPP"
                                        << "0.125"
                                        << "0.13";
    QTest::newRow("loss, garbage") << false << "DPP"
                                   << "-"
                                   << "0.20";
    QTest::newRow("aspect ratio") << false << "MASP"
                                  << "3.25"
                                  << "3.3";
    QTest::newRow("free area") << true << "e_hkr"
                               << "80"
                               << "80.0";
    QTest::newRow("face velocity") << true << "e_hdv"
                                   << "2.25"
                                   << "2.3";
    QTest::newRow("face velocity, garbage") << true << "e_hdv"
                                            << "fast"
                                            << "3.0";
}

void DialogsTest::editFieldStoresNumbersAndEnterRestores() {
    QFETCH(bool, terminal);
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    FakeHost host;
    host.terminalMode = terminal;
    host.setDuctStyles({Duct("S", "1", "12", "0.2", "0", "5")}, 0);
    host.setTerminalStyles({TerminalSelectionStyle{"T", "60", "3"}}, 0);
    StyleEditor editor(host);
    editor.show();
    auto* edit = editor.findChild<QLineEdit*>(field);
    QVERIFY(edit);
    auto storedText = [&]() -> std::string {
        const DuctSelectionStyle& d = editor.workingDuctStyles()[0];
        const TerminalSelectionStyle& t = editor.workingTerminalStyles()[0];
        if (field == QLatin1String("DVV")) return d.velocity;
        if (field == QLatin1String("DPP")) return d.frictionLoss;
        if (field == QLatin1String("MASP")) return d.aspectRatio;
        if (field == QLatin1String("e_hkr")) return t.freeArea;
        return t.faceVelocity;
    };

    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    TypeText(edit, typed);
    QCOMPARE(QString::fromStdString(storedText()), stored);
    QCOMPARE(edit->text(), typed);
    // An Alt letter that no access key takes is no text.
    QTest::keyClick(edit, Qt::Key_X, Qt::AltModifier);
    QCOMPARE(edit->text(), typed);

    QSignalSpy reachedField(edit, &QLineEdit::returnPressed);
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(reachedField.count(), 0);
    QCOMPARE(edit->text(), stored);
    QVERIFY(editor.isVisible());
    QCOMPARE(host.ductChanges + host.terminalChanges, 0);
}

// An Alt letter that no access key takes must not work as the lists' search
// for an entry starting with it: that would switch the style shown, or give
// the style another material that Apply would keep.
void DialogsTest::altLettersChooseNothingInTheLists() {
    FakeHost host;
    host.setDuctStyles({kStyleA, kStyleB, kStyleC}, 0);
    StyleEditor editor(host);
    editor.show();
    QVERIFY(QTest::qWaitForWindowExposed(&editor));
    Find<QComboBox>(&editor, "StyleCB")->setFocus();
    QTest::keyClick(Find<QComboBox>(&editor, "StyleCB"), Qt::Key_C, Qt::AltModifier);
    QCOMPARE(Find<QComboBox>(&editor, "StyleCB")->currentIndex(), 0);
    QCOMPARE(editor.currentStyle(), 0);
    Find<QComboBox>(&editor, "ZLIST")->setFocus();
    QTest::keyClick(Find<QComboBox>(&editor, "ZLIST"), Qt::Key_P, Qt::AltModifier);
    QCOMPARE(Find<QComboBox>(&editor, "ZLIST")->currentIndex(), 0);
    QCOMPARE(editor.workingDuctStyles()[0].material, std::string("1"));
    // Without Alt the letter still searches, as in any list.
    QTest::keyClick(Find<QComboBox>(&editor, "ZLIST"), Qt::Key_P);
    QCOMPARE(Find<QComboBox>(&editor, "ZLIST")->currentIndex(), 1);
}

void DialogsTest::unitSwitchKeepsTheNumber() {
    FakeHost host;
    host.setDuctStyles({kStyleA}, 0);
    StyleEditor editor(host);
    editor.show();
    QVERIFY(Find<QRadioButton>(&editor, "Rd_SI_1")->isChecked());
    QTest::mouseClick(Find<QRadioButton>(&editor, "Rd_SI_2"), Qt::LeftButton);
    QVERIFY(Find<QRadioButton>(&editor, "Rd_SI_2")->isChecked());
    QVERIFY(!Find<QRadioButton>(&editor, "Rd_SI_1")->isChecked());
    QCOMPARE(editor.workingDuctStyles()[0].units, std::string("1"));
    QCOMPARE(editor.workingDuctStyles()[0].frictionLoss, std::string("0.10"));
    QCOMPARE(Find<QLineEdit>(&editor, "DPP")->text(), QStringLiteral("0.10"));
    QTest::mouseClick(Find<QRadioButton>(&editor, "Rd_SI_1"), Qt::LeftButton);
    QCOMPARE(editor.workingDuctStyles()[0].units, std::string("0"));
    QCOMPARE(editor.workingDuctStyles()[0].frictionLoss, std::string("0.10"));
}

void DialogsTest::materialChoiceStoresRowNumber() {
    FakeHost host;
    host.materials[3] = {"Copper", "0.0015"}; // row 4, after the empty row 3
    host.setDuctStyles({kStyleA, kStyleB}, 0);
    StyleEditor editor(host);
    editor.show();
    // A user's choice in the list, as the drop-down delivers it.
    Find<QComboBox>(&editor, "ZLIST")->setCurrentIndex(1);
    emit Find<QComboBox>(&editor, "ZLIST")->activated(1);
    QCOMPARE(editor.workingDuctStyles()[0].material, std::string("2"));
    QCOMPARE(Find<QLineEdit>(&editor, "EPU")->text(), QStringLiteral("0.01"));
    // Showing another style moves the list without storing anything.
    Find<QComboBox>(&editor, "StyleCB")->setCurrentIndex(1);
    emit Find<QComboBox>(&editor, "StyleCB")->activated(1);
    QCOMPARE(Find<QComboBox>(&editor, "ZLIST")->currentIndex(), 1);
    QCOMPARE(editor.workingDuctStyles()[1], kStyleB);
    QCOMPARE(editor.workingDuctStyles()[0].material, std::string("2"));
    // The entry after the gap stores its own row number.
    Find<QComboBox>(&editor, "ZLIST")->setCurrentIndex(2);
    emit Find<QComboBox>(&editor, "ZLIST")->activated(2);
    QCOMPARE(editor.workingDuctStyles()[1].material, std::string("4"));
    QCOMPARE(Find<QLineEdit>(&editor, "EPU")->text(), QStringLiteral("0.0015"));
}

// Names come from files and from the user: every label and message of the
// dialogs shows them as written, never as markup.
void DialogsTest::userTextIsShownAsWritten() {
    FakeHost host;
    host.setDuctStyles({Duct("<b>A</b>", "1", "10.0", "0.10", "0", "4.0")}, 0);
    SeenBox question;
    SeenBox duplicate;
    ModalScript script;
    script
        .then(OnEditor(script,
                       [](StyleEditor* e) {
                           QTest::mouseClick(Find<QPushButton>(e, "Del_Style"), Qt::LeftButton);
                       }))
        .then(Answer(script, QMessageBox::No, &question))
        .then(OnEditor(script,
                       [](StyleEditor* e) {
                           QTest::mouseClick(Find<QPushButton>(e, "New_Style"), Qt::LeftButton);
                       }))
        .then(EnterName(script, QStringLiteral("<B>a</B>")))
        .then(Answer(script, QMessageBox::Yes, &duplicate))
        .then(EnterName(script, QString(), false))
        .then(OnEditor(script, [](StyleEditor* e) {
            QTest::mouseClick(Find<QPushButton>(e, "BtnCancel"), Qt::LeftButton);
        }));
    OpenStyleEditor(host, false);
    QVERIFY2(script.clean(), qPrintable(script.problems()));
    QVERIFY(question.text.contains(QStringLiteral("\"<b>A</b>\"")));
    QCOMPARE(question.format, Qt::PlainText);
    QVERIFY(duplicate.text.contains(QStringLiteral("\"<B>a</B>\"")));
    QCOMPARE(duplicate.format, Qt::PlainText);

    StyleEditor editor(host);
    StyleNameDialog nameDialog({});
    AboutBox about(nullptr);
    for (const QWidget* dialog :
         std::initializer_list<const QWidget*>{&editor, &nameDialog, &about})
        for (const QLabel* label : dialog->findChildren<QLabel*>())
            QVERIFY2(label->text().isEmpty() || label->textFormat() == Qt::PlainText,
                     qPrintable(label->objectName()));
}

// ---------------------------------------------------------------------------
// New, Delete, Rename

void DialogsTest::newStyleStopsAtSixtyFour_data() {
    QTest::addColumn<int>("styles");
    QTest::addColumn<bool>("japanese");
    QTest::newRow("64, Japanese") << 64 << true;
    QTest::newRow("64, English") << 64 << false;
    QTest::newRow("63 adds the 64th") << 63 << true;
}

void DialogsTest::newStyleStopsAtSixtyFour() {
    QFETCH(int, styles);
    QFETCH(bool, japanese);
    FakeHost host;
    const LanguageForTest language(japanese);
    std::vector<DuctSelectionStyle> table;
    for (int i = 0; i < styles; ++i)
        table.push_back(Duct(std::string(1, 'S').append(std::to_string(i)).c_str(), "2", "5.0",
                             "1.00", "1", "2.0"));
    host.setDuctStyles(table, 0);
    StyleEditor editor(host);
    editor.show();

    ModalScript script;
    SeenBox limit;
    QString title;
    if (styles >= 64) {
        script.then(Answer(script, QMessageBox::Ok, &limit));
    } else {
        script.then(EnterName(script, QStringLiteral("Extra"), true, &title));
    }
    QTest::mouseClick(Find<QPushButton>(&editor, "New_Style"), Qt::LeftButton);
    QVERIFY2(script.clean(), qPrintable(script.problems()));

    if (styles >= 64) {
        QCOMPARE(limit.count, 1);
        QCOMPARE(limit.caption, QStringLiteral("Kestrix ERROR"));
        QCOMPARE(limit.text, japanese ? QStringLiteral("これ以上は登録できません。")
                                      : QStringLiteral("Not able to register this over"));
        QCOMPARE(limit.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QCOMPARE(Find<QComboBox>(&editor, "StyleCB")->count(), 64);
        QCOMPARE(editor.currentStyle(), 0);
        return;
    }
    QCOMPARE(title, QStringLiteral("新しい選定ｽﾀｲﾙ名"));
    QCOMPARE(Find<QComboBox>(&editor, "StyleCB")->count(), 64);
    QCOMPARE(Find<QComboBox>(&editor, "StyleCB")->currentIndex(), 63);
    QCOMPARE(editor.currentStyle(), 63);
    QCOMPARE(Find<QComboBox>(&editor, "StyleCB")->itemText(63), QStringLiteral("Extra"));
    QCOMPARE(editor.workingDuctStyles()[63], Duct("Extra", "1", "10.0", "0.10", "0", "4.0"));
    QCOMPARE(Find<QComboBox>(&editor, "ZLIST")->currentIndex(), 0);
    QCOMPARE(Find<QLineEdit>(&editor, "EPU")->text(), QStringLiteral("0.15"));
    QVERIFY(Find<QRadioButton>(&editor, "Rd_SI_1")->isChecked());
    QCOMPARE(editor.workingDuctStyles()[62], table[62]);
}

void DialogsTest::newTerminalStyleGetsDefaults() {
    FakeHost host;
    host.terminalMode = true;
    const LanguageForTest language(false);
    host.setTerminalStyles({TerminalSelectionStyle{"T", "60.0", "3.0"}}, 0);
    StyleEditor editor(host);
    editor.show();
    ModalScript script;
    QString title;
    QString initial;
    script.then(EnterName(script, QStringLiteral("Grille ｽﾘｯﾄ"), true, &title, &initial));
    QTest::mouseClick(Find<QPushButton>(&editor, "New_Style"), Qt::LeftButton);
    QVERIFY2(script.clean(), qPrintable(script.problems()));
    QCOMPARE(title, QStringLiteral("New Style Name"));
    QCOMPARE(initial, QStringLiteral("Style1"));
    QCOMPARE(editor.currentStyle(), 1);
    const TerminalSelectionStyle expected{Cp(QStringLiteral("Grille ｽﾘｯﾄ")), "75.0", "2.0"};
    QCOMPARE(editor.workingTerminalStyles()[1], expected);
    QCOMPARE(Find<QLineEdit>(&editor, "e_hkr")->text(), QStringLiteral("75"));
    QCOMPARE(Find<QComboBox>(&editor, "StyleCB")->itemText(1), QStringLiteral("Grille ｽﾘｯﾄ"));
}

void DialogsTest::deleteMovesLaterStylesUp_data() {
    QTest::addColumn<bool>("terminal");
    QTest::addColumn<bool>("japanese");
    QTest::newRow("duct, Japanese") << false << true;
    QTest::newRow("terminal, English") << true << false;
}

void DialogsTest::deleteMovesLaterStylesUp() {
    QFETCH(bool, terminal);
    QFETCH(bool, japanese);
    FakeHost host;
    host.terminalMode = terminal;
    const LanguageForTest language(japanese);
    const TerminalSelectionStyle t1{"A", "70.0", "2.0"};
    const TerminalSelectionStyle t2{"B", "50.0", "1.5"};
    const TerminalSelectionStyle t3{"C", "30.0", "4.0"};
    host.setDuctStyles({kStyleA, kStyleB, kStyleC}, 1);
    host.setTerminalStyles({t1, t2, t3}, 1);
    StyleEditor editor(host);
    editor.show();

    ModalScript script;
    SeenBox question;
    script.then(Answer(script, QMessageBox::Yes, &question));
    QTest::mouseClick(Find<QPushButton>(&editor, "Del_Style"), Qt::LeftButton);
    QVERIFY2(script.clean(), qPrintable(script.problems()));

    QCOMPARE(question.text, japanese
                                ? QStringLiteral("設定ｽﾀｲﾙ名:\n　\"B\"\n　を削除しますか?")
                                : QStringLiteral("Style Name:\n　\"B\"\n　delete this style?"));
    QCOMPARE(question.buttons, QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(question.icon, QMessageBox::Warning);
    QCOMPARE(FakeHost::entries(Find<QComboBox>(&editor, "StyleCB")), (QStringList{"A", "C"}));
    QCOMPARE(Find<QComboBox>(&editor, "StyleCB")->currentIndex(), 0);
    QCOMPARE(editor.currentStyle(), 0);
    if (terminal) {
        QCOMPARE(editor.workingTerminalStyles()[0], t1);
        QCOMPARE(editor.workingTerminalStyles()[1], t3);
        QCOMPARE(editor.workingTerminalStyles()[2], TerminalSelectionStyle{});
        QCOMPARE(Find<QLineEdit>(&editor, "e_hkr")->text(), QStringLiteral("70.0"));
        // The duct styles are not the ones being edited.
        QCOMPARE(editor.workingDuctStyles()[1], DuctSelectionStyle{});
    } else {
        QCOMPARE(editor.workingDuctStyles()[0], kStyleA);
        QCOMPARE(editor.workingDuctStyles()[1], kStyleC);
        QCOMPARE(editor.workingDuctStyles()[2], DuctSelectionStyle{});
        QCOMPARE(Find<QLineEdit>(&editor, "DVV")->text(), QStringLiteral("10.0"));
    }
    // Nothing reaches the main window before Apply.
    QCOMPARE(FakeHost::entries(host.ductList), (QStringList{"A", "B", "C"}));
    QCOMPARE(host.ducts[1], kStyleB);
    QCOMPARE(host.terminals[1], t2);
}

void DialogsTest::deleteFirstLeavesNoneSelected() {
    FakeHost host;
    host.setDuctStyles({kStyleA, kStyleB, kStyleC}, 0);
    StyleEditor editor(host);
    editor.show();
    ModalScript script;
    script.then(Answer(script, QMessageBox::Yes, nullptr));
    QTest::mouseClick(Find<QPushButton>(&editor, "Del_Style"), Qt::LeftButton);
    QVERIFY2(script.clean(), qPrintable(script.problems()));
    QCOMPARE(Find<QComboBox>(&editor, "StyleCB")->currentIndex(), -1);
    QCOMPARE(editor.currentStyle(), -1);
    QCOMPARE(editor.workingDuctStyles()[0], kStyleB);
    QCOMPARE(editor.workingDuctStyles()[1], kStyleC);

    // With nothing selected, edits, Delete and Rename touch no style.
    const DuctStyleTable before = editor.workingDuctStyles();
    Find<QLineEdit>(&editor, "DVV")->setText(QStringLiteral("3"));
    QTest::mouseClick(Find<QRadioButton>(&editor, "Rd_SI_2"), Qt::LeftButton);
    QTest::mouseClick(Find<QPushButton>(&editor, "Del_Style"), Qt::LeftButton);
    QTest::mouseClick(Find<QPushButton>(&editor, "Rname_Style"), Qt::LeftButton);
    QCOMPARE(editor.workingDuctStyles(), before);
    QCOMPARE(Find<QComboBox>(&editor, "StyleCB")->count(), 2);
}

void DialogsTest::deleteAnsweredNoKeepsEverything() {
    FakeHost host;
    host.setDuctStyles({kStyleA, kStyleB}, 1);
    StyleEditor editor(host);
    editor.show();
    const DuctStyleTable before = editor.workingDuctStyles();
    ModalScript script;
    script.then(Answer(script, QMessageBox::No, nullptr));
    QTest::mouseClick(Find<QPushButton>(&editor, "Del_Style"), Qt::LeftButton);
    QVERIFY2(script.clean(), qPrintable(script.problems()));
    QCOMPARE(editor.workingDuctStyles(), before);
    QCOMPARE(FakeHost::entries(Find<QComboBox>(&editor, "StyleCB")), (QStringList{"A", "B"}));
    QCOMPARE(editor.currentStyle(), 1);
}

void DialogsTest::renameChangesOnlyTheSelectedStyle() {
    FakeHost host;
    host.setDuctStyles({kStyleA, kStyleB, kStyleC}, 1);
    StyleEditor editor(host);
    editor.show();
    ModalScript script;
    QString title;
    QString initial;
    script.then(EnterName(script, QStringLiteral("事務所"), true, &title, &initial));
    QTest::mouseClick(Find<QPushButton>(&editor, "Rname_Style"), Qt::LeftButton);
    QVERIFY2(script.clean(), qPrintable(script.problems()));
    QCOMPARE(title, QStringLiteral("選定ｽﾀｲﾙ名変更"));
    QCOMPARE(initial, QStringLiteral("B"));
    QCOMPARE(FakeHost::entries(Find<QComboBox>(&editor, "StyleCB")),
             (QStringList{"A", "事務所", "C"}));
    QCOMPARE(Find<QComboBox>(&editor, "StyleCB")->currentIndex(), 1);
    DuctSelectionStyle renamed = kStyleB;
    renamed.name = Cp(QStringLiteral("事務所"));
    QCOMPARE(editor.workingDuctStyles()[1], renamed);
    QCOMPARE(editor.workingDuctStyles()[0], kStyleA);
    QCOMPARE(editor.workingDuctStyles()[2], kStyleC);

    // Cancelled: nothing changes.
    script.then(EnterName(script, QStringLiteral("Other"), false));
    QTest::mouseClick(Find<QPushButton>(&editor, "Rname_Style"), Qt::LeftButton);
    QVERIFY2(script.clean(), qPrintable(script.problems()));
    QCOMPARE(editor.workingDuctStyles()[1], renamed);
    QCOMPARE(Find<QComboBox>(&editor, "StyleCB")->itemText(1), QStringLiteral("事務所"));
}

void DialogsTest::renameWithNoneSelectedOpensNothing() {
    FakeHost host;
    host.setDuctStyles({kStyleA, kStyleB}, -1);
    StyleEditor editor(host);
    editor.show();
    QCOMPARE(editor.currentStyle(), -1);
    ModalScript script; // any box that opens fails the test
    QTest::mouseClick(Find<QPushButton>(&editor, "Rname_Style"), Qt::LeftButton);
    QTest::mouseClick(Find<QPushButton>(&editor, "Del_Style"), Qt::LeftButton);
    QVERIFY2(script.clean(), qPrintable(script.problems()));
    QCOMPARE(FakeHost::entries(Find<QComboBox>(&editor, "StyleCB")), (QStringList{"A", "B"}));
    QCOMPARE(editor.workingDuctStyles()[0], kStyleA);
    QCOMPARE(editor.workingDuctStyles()[1], kStyleB);
}

void DialogsTest::enterPressesOnlyAFocusedButton_data() {
    QTest::addColumn<bool>("terminal");
    QTest::addColumn<QString>("focused");
    QTest::newRow("style list") << false << "StyleCB";
    QTest::newRow("material list") << false << "ZLIST";
    QTest::newRow("roughness field") << false << "EPU";
    QTest::newRow("unit button") << false << "Rd_SI_2";
    QTest::newRow("style list, terminal") << true << "StyleCB";
}

// Enter on a list, a read-only field or a radio button opens nothing and
// closes nothing; only a button that has the focus takes it.
void DialogsTest::enterPressesOnlyAFocusedButton() {
    QFETCH(bool, terminal);
    QFETCH(QString, focused);
    FakeHost host;
    host.terminalMode = terminal;
    host.setDuctStyles({kStyleA, kStyleB}, 1);
    host.setTerminalStyles({{"T", "75.0", "2.0"}}, 0);
    StyleEditor editor(host);
    editor.show();
    editor.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&editor));
    auto* target = editor.findChild<QWidget*>(focused);
    QVERIFY(target);
    target->setFocus();
    QVERIFY(target->hasFocus());
    const DuctStyleTable ducts = editor.workingDuctStyles();
    const TerminalStyleTable terminals = editor.workingTerminalStyles();
    const int count = Find<QComboBox>(&editor, "StyleCB")->count();
    ModalScript script; // any box that opens fails the test
    QTest::keyClick(target, Qt::Key_Return);
    QTest::keyClick(target, Qt::Key_Enter);
    QVERIFY2(script.clean(), qPrintable(script.problems()));
    QVERIFY(editor.isVisible());
    QCOMPARE(Find<QComboBox>(&editor, "StyleCB")->count(), count);
    QCOMPARE(editor.workingDuctStyles(), ducts);
    QCOMPARE(editor.workingTerminalStyles(), terminals);
    QCOMPARE(host.ductChanges + host.terminalChanges, 0);

    // A focused button still takes Enter, as a click.
    Find<QPushButton>(&editor, "Del_Style")->setFocus();
    script.then(Answer(script, QMessageBox::No, nullptr));
    QTest::keyClick(Find<QPushButton>(&editor, "Del_Style"), Qt::Key_Return);
    QVERIFY2(script.clean(), qPrintable(script.problems()));
    QVERIFY(editor.isVisible());
}

void DialogsTest::renameToSameNameIsRefused_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("japanese");
    QTest::newRow("unchanged") << "Office" << true;
    QTest::newRow("other case") << "OFFICE" << false;
    QTest::newRow("name of another style") << "office2" << true;
}

void DialogsTest::renameToSameNameIsRefused() {
    QFETCH(QString, typed);
    QFETCH(bool, japanese);
    FakeHost host;
    const LanguageForTest language(japanese);
    host.setDuctStyles({Duct("Office", "1", "10.0", "0.10", "0", "4.0"),
                        Duct("Office2", "1", "8.0", "0.10", "0", "4.0")},
                       0);
    StyleEditor editor(host);
    editor.show();
    ModalScript script;
    SeenBox refusal;
    QPointer<StyleNameDialog> nameDialog;
    script.then(EnterName(script, typed))
        .then(Answer(script, QMessageBox::Yes, &refusal))
        .then([&](QWidget* widget) {
            // Still the name dialog, still open: the user gives up.
            nameDialog = qobject_cast<StyleNameDialog*>(widget);
            if (!nameDialog) {
                script.fail(QStringLiteral("the name dialog closed after the refusal"));
                return;
            }
            if (nameDialog->enteredName() != typed) script.fail(QStringLiteral("text lost"));
            QTest::mouseClick(Find<QPushButton>(nameDialog, "Button2"), Qt::LeftButton);
        });
    QTest::mouseClick(Find<QPushButton>(&editor, "Rname_Style"), Qt::LeftButton);
    QVERIFY2(script.clean(), qPrintable(script.problems()));
    QCOMPARE(refusal.text, japanese ? QStringLiteral("選定ｽﾀｲﾙ名:\n　\"") + typed +
                                          QStringLiteral("\" は、すでに登録されています！")
                                    : QStringLiteral("Style Name:\n  \"") + typed +
                                          QStringLiteral("\" has already been registered！"));
    QCOMPARE(refusal.buttons, QMessageBox::StandardButtons(QMessageBox::Yes));
    QCOMPARE(refusal.icon, QMessageBox::Warning);
    QVERIFY(nameDialog.isNull()); // destroyed after use
    QCOMPARE(FakeHost::entries(Find<QComboBox>(&editor, "StyleCB")),
             (QStringList{"Office", "Office2"}));
    QCOMPARE(editor.workingDuctStyles()[0].name, std::string("Office"));
}

// ---------------------------------------------------------------------------
// Opening, Apply, Save, Cancel through the main window's opening function

void DialogsTest::cancelLeavesHostUntouched_data() {
    QTest::addColumn<bool>("terminal");
    QTest::addColumn<bool>("byFrame");
    QTest::newRow("duct, Cancel button") << false << false;
    QTest::newRow("terminal, Cancel button") << true << false;
    QTest::newRow("duct, window frame") << false << true;
}

void DialogsTest::cancelLeavesHostUntouched() {
    QFETCH(bool, terminal);
    QFETCH(bool, byFrame);
    FakeHost host;
    host.setDuctStyles({kStyleA, kStyleB, kStyleC}, 1);
    host.setTerminalStyles({{"A", "70.0", "2.0"}, {"B", "50.0", "1.5"}}, 1);
    const DuctStyleTable ducts = host.ducts;
    const TerminalStyleTable terminals = host.terminals;
    QPointer<StyleEditor> editor;

    ModalScript script;
    script
        .then(OnEditor(script,
                       [&](StyleEditor* e) {
                           editor = e;
                           QTest::mouseClick(Find<QPushButton>(e, "New_Style"), Qt::LeftButton);
                       }))
        .then(EnterName(script, QStringLiteral("New one")))
        .then(OnEditor(script,
                       [](StyleEditor* e) {
                           Find<QComboBox>(e, "StyleCB")->setCurrentIndex(0);
                           emit Find<QComboBox>(e, "StyleCB")->activated(0);
                           QTest::mouseClick(Find<QPushButton>(e, "Rname_Style"), Qt::LeftButton);
                       }))
        .then(EnterName(script, QStringLiteral("Renamed")))
        .then(OnEditor(script,
                       [](StyleEditor* e) {
                           Find<QLineEdit>(e, "DVV")->setText(QStringLiteral("3"));
                           Find<QLineEdit>(e, "e_hkr")->setText(QStringLiteral("11"));
                           QTest::mouseClick(Find<QPushButton>(e, "Del_Style"), Qt::LeftButton);
                       }))
        .then(Answer(script, QMessageBox::Yes, nullptr))
        .then(OnEditor(script, [byFrame](StyleEditor* e) {
            if (byFrame) {
                e->close();
            } else {
                QTest::mouseClick(Find<QPushButton>(e, "BtnCancel"), Qt::LeftButton);
            }
        }));
    OpenStyleEditor(host, terminal);
    QVERIFY2(script.clean(), qPrintable(script.problems()));
    QVERIFY(editor.isNull());
    QCOMPARE(host.terminalMode, terminal);
    QCOMPARE(host.ducts, ducts);
    QCOMPARE(host.terminals, terminals);
    QCOMPARE(FakeHost::entries(host.ductList), (QStringList{"A", "B", "C"}));
    QCOMPARE(FakeHost::entries(host.terminalList), (QStringList{"A", "B"}));
    QCOMPARE(host.ductList->currentIndex(), 1);
    QCOMPARE(host.ductChanges + host.terminalChanges, 0);
    QVERIFY(QDir(host.directory).entryList(QDir::Files).isEmpty());
}

void DialogsTest::applyWithNoneSelectedUsesNoSlot() {
    FakeHost host;
    host.setDuctStyles({kStyleA, kStyleB}, 0);
    ModalScript script;
    script
        .then(OnEditor(script,
                       [](StyleEditor* e) {
                           QTest::mouseClick(Find<QPushButton>(e, "Del_Style"), Qt::LeftButton);
                       }))
        .then(Answer(script, QMessageBox::Yes, nullptr))
        .then(OnEditor(script, [](StyleEditor* e) {
            QTest::mouseClick(Find<QPushButton>(e, "Set_Btn"), Qt::LeftButton);
        }));
    OpenStyleEditor(host, false);
    QVERIFY2(script.clean(), qPrintable(script.problems()));
    QCOMPARE(FakeHost::entries(host.ductList), QStringList{"B"});
    QCOMPARE(host.ductChanges, 1);
    QCOMPARE(host.ductIndexSeen, -1);
    QCOMPARE(host.ducts[0], kStyleB);
    QCOMPARE(host.ducts[1], DuctSelectionStyle{});
    QCOMPARE(host.terminalChanges, 0);
}

void DialogsTest::saveWritesRowsInListOrder_data() {
    QTest::addColumn<bool>("terminal");
    QTest::addColumn<bool>("japanese");
    QTest::newRow("duct, Japanese") << false << true;
    QTest::newRow("duct, English") << false << false;
    QTest::newRow("terminal, Japanese") << true << true;
}

void DialogsTest::saveWritesRowsInListOrder() {
    QFETCH(bool, terminal);
    QFETCH(bool, japanese);
    FakeHost host;
    const LanguageForTest language(japanese);
    host.setDuctStyles({kStyleA, kStyleB, kStyleC}, 2);
    host.setTerminalStyles({{"T1", "75.0", "2.0"}, {"T2", "50.0", "1.5"}, {"T3", "100.0", "12.5"}},
                           2);

    // Delete the second style, add one, then Save.
    ModalScript script;
    script
        .then(OnEditor(script,
                       [](StyleEditor* e) {
                           Find<QComboBox>(e, "StyleCB")->setCurrentIndex(1);
                           emit Find<QComboBox>(e, "StyleCB")->activated(1);
                           QTest::mouseClick(Find<QPushButton>(e, "Del_Style"), Qt::LeftButton);
                       }))
        .then(Answer(script, QMessageBox::Yes, nullptr))
        .then(OnEditor(script,
                       [](StyleEditor* e) {
                           QTest::mouseClick(Find<QPushButton>(e, "New_Style"), Qt::LeftButton);
                       }))
        .then(EnterName(script, QStringLiteral("新規")))
        .then(OnEditor(script, [](StyleEditor* e) {
            QTest::mouseClick(Find<QPushButton>(e, "Set_Save"), Qt::LeftButton);
        }));
    OpenStyleEditor(host, terminal);
    QVERIFY2(script.clean(), qPrintable(script.problems()));

    const QByteArray name = QByteArray::fromStdString(Cp(QStringLiteral("新規")));
    QByteArray expected;
    std::string fileName;
    if (terminal) {
        fileName = "KSX_Set2.cfg";
        expected =
            Joined(TerminalStyleFileHeader(japanese ? Language::Japanese : Language::English)) +
            "  1,\"T1\", 75.0,  2.0\r\n" + "  2,\"T3\",100.0, 12.5\r\n" + "  3,\"" + name +
            "\", 75.0,  2.0\r\n";
    } else {
        fileName = japanese ? "KSX_Set1.cfg" : "KSX_Set1_e.cfg";
        expected = Joined(DuctStyleFileHeader(japanese ? Language::Japanese : Language::English)) +
                   "  1,\"A\", 1, 10.0, 0.10, 0, 4.0\r\n" + "  2,\"C\", 1,  6.5, 0.08, 0, 2.5\r\n" +
                   "  3,\"" + name + "\", 1, 10.0, 0.10, 0, 4.0\r\n";
    }
    const QString path = ConfigFilePath(host.directory, fileName);
    QCOMPARE(FileBytes(path), expected);
    QCOMPARE(QDir(host.directory).entryList(QDir::Files).size(), 1);

    // Applied as well: the main window's list, table and change handler.
    const QStringList names{terminal ? "T1" : "A", terminal ? "T3" : "C", "新規"};
    QCOMPARE(FakeHost::entries(terminal ? host.terminalList : host.ductList), names);
    QCOMPARE((terminal ? host.terminalList : host.ductList)->currentIndex(), 2);
    QCOMPARE(terminal ? host.terminalChanges : host.ductChanges, 1);
    QCOMPARE(terminal ? host.terminalIndexSeen : host.ductIndexSeen, 2);
    QCOMPARE(terminal ? host.ductChanges : host.terminalChanges, 0);

    // The file reads back as the table the main window now holds.
    const ConfigFields fields = ReadConfigFields(host.directory, fileName);
    QVERIFY(fields.opened);
    StyleNameList readNames;
    if (terminal) {
        TerminalStyleTable read{};
        QVERIFY(LoadTerminalStyles(fields.fields, read, readNames).empty());
        QCOMPARE(read, host.terminals);
    } else {
        DuctStyleTable read{};
        QVERIFY(LoadDuctStyles(fields.fields, read, readNames).empty());
        QCOMPARE(read, host.ducts);
    }
    QCOMPARE(readNames.size(), std::size_t(3));

    // A later Save does not bring the deleted style back.
    ModalScript again;
    again.then(OnEditor(again, [](StyleEditor* e) {
        QTest::mouseClick(Find<QPushButton>(e, "Set_Save"), Qt::LeftButton);
    }));
    OpenStyleEditor(host, terminal);
    QVERIFY2(again.clean(), qPrintable(again.problems()));
    QCOMPARE(FileBytes(path), expected);
}

// A hand-edited style file with rows 1 and 3 only: the editor shows each
// entry's own style and adds a new one after them, and after Apply or Save
// the main window holds the table and list that the saved file reads back as.
void DialogsTest::gapInRowNumbersCloses_data() {
    QTest::addColumn<bool>("terminal");
    QTest::addColumn<bool>("save");
    QTest::newRow("duct, Apply") << false << false;
    QTest::newRow("duct, Save") << false << true;
    QTest::newRow("terminal, Apply") << true << false;
    QTest::newRow("terminal, Save") << true << true;
}

void DialogsTest::gapInRowNumbersCloses() {
    QFETCH(bool, terminal);
    QFETCH(bool, save);
    const TerminalSelectionStyle t1{"T1", "70.0", "3.0"};
    const TerminalSelectionStyle t3{"T3", "50.0", "1.5"};
    FakeHost host;
    host.setDuctStyles({kStyleA, kStyleC}, 1);
    host.setTerminalStyles({t1, t3}, 1);
    std::swap(host.ducts[1], host.ducts[2]);
    std::swap(host.terminals[1], host.terminals[2]);

    QString shown;
    ModalScript script;
    script
        .then(OnEditor(script,
                       [&](StyleEditor* e) {
                           shown = terminal ? Find<QLineEdit>(e, "e_hkr")->text()
                                            : Find<QLineEdit>(e, "DVV")->text();
                           QTest::mouseClick(Find<QPushButton>(e, "New_Style"), Qt::LeftButton);
                       }))
        .then(EnterName(script, QStringLiteral("N")))
        .then(OnEditor(script, [save](StyleEditor* e) {
            QTest::mouseClick(save ? Find<QPushButton>(e, "Set_Save")
                                   : Find<QPushButton>(e, "Set_Btn"),
                              Qt::LeftButton);
        }));
    OpenStyleEditor(host, terminal);
    QVERIFY2(script.clean(), qPrintable(script.problems()));
    QCOMPARE(shown, terminal ? QStringLiteral("50.0") : QStringLiteral("6.5"));

    const QComboBox* list = terminal ? host.terminalList : host.ductList;
    const QStringList names = terminal ? QStringList{"T1", "T3", "N"} : QStringList{"A", "C", "N"};
    QCOMPARE(FakeHost::entries(list), names);
    QCOMPARE(list->currentIndex(), 2);
    QCOMPARE(terminal ? host.terminalIndexSeen : host.ductIndexSeen, 2);
    if (terminal)
        QCOMPARE(host.terminals, (TerminalStyleTable{{t1, t3, {"N", "75.0", "2.0"}}}));
    else
        QCOMPARE(host.ducts,
                 (DuctStyleTable{{kStyleA, kStyleC, Duct("N", "1", "10.0", "0.10", "0", "4.0")}}));
    if (!save) return;
    // The next start reads the same table from the file.
    const ConfigFields fields =
        ReadConfigFields(host.directory, terminal ? "KSX_Set2.cfg" : "KSX_Set1.cfg");
    StyleNameList readNames;
    if (terminal) {
        TerminalStyleTable read{};
        QVERIFY(LoadTerminalStyles(fields.fields, read, readNames).empty());
        QCOMPARE(read, host.terminals);
    } else {
        DuctStyleTable read{};
        QVERIFY(LoadDuctStyles(fields.fields, read, readNames).empty());
        QCOMPARE(read, host.ducts);
    }
    QCOMPARE(readNames.size(), std::size_t(3));
}

void DialogsTest::failedSaveKeepsStylesAppliedAndProgramRunning() {
    FakeHost host;
    // A directory that does not exist cannot take the file.
    host.directory = host.temp.filePath(QStringLiteral("missing"));
    host.setDuctStyles({kStyleA, kStyleB}, 0);
    SeenBox failure;
    int result = -1;
    ModalScript script;
    script
        .then(OnEditor(script,
                       [&](StyleEditor* e) {
                           connect(e, &QDialog::finished, e, [&result](int r) { result = r; });
                           Find<QLineEdit>(e, "DVV")->setText(QStringLiteral("7"));
                           QTest::mouseClick(Find<QPushButton>(e, "Set_Save"), Qt::LeftButton);
                       }))
        .then(Answer(script, QMessageBox::Ok, &failure));
    OpenStyleEditor(host, false);
    QVERIFY2(script.clean(), qPrintable(script.problems()));
    QCOMPARE(failure.count, 1);
    QCOMPARE(failure.caption, QStringLiteral("Kestrix ｴﾗｰ"));
    QCOMPARE(failure.text, QStringLiteral("ﾌｧｲﾙ[KSX_Set1.cfg]を保存できません."));
    QCOMPARE(result, int(QDialog::Accepted));
    QCOMPARE(host.ducts[0].velocity, std::string("7.0"));
    QCOMPARE(host.ductChanges, 1);

    // Once the directory is there, the same styles save.
    QVERIFY(QDir().mkpath(host.directory));
    ModalScript again;
    again.then(OnEditor(again, [](StyleEditor* e) {
        QTest::mouseClick(Find<QPushButton>(e, "Set_Save"), Qt::LeftButton);
    }));
    OpenStyleEditor(host, false);
    QVERIFY2(again.clean(), qPrintable(again.problems()));
    QVERIFY(FileBytes(ConfigFilePath(host.directory, "KSX_Set1.cfg"))
                .contains("  1,\"A\", 1,  7.0, 0.10, 0, 4.0\r\n"));
}

void DialogsTest::editorTitlesCaptionsAndFrame_data() {
    QTest::addColumn<bool>("terminal");
    QTest::addColumn<bool>("japanese");
    QTest::addColumn<QString>("title");
    QTest::newRow("duct, Japanese") << false << true << "ダクトサイズ選定基準";
    QTest::newRow("duct, English") << false << false << "Configs to select DUCT size";
    QTest::newRow("terminal, Japanese") << true << true << "吹出吸込口選定基準";
    QTest::newRow("terminal, English") << true << false << "Configs to select Diffuser, Air Grille";
}

void DialogsTest::editorTitlesCaptionsAndFrame() {
    QFETCH(bool, terminal);
    QFETCH(bool, japanese);
    FakeHost host;
    const LanguageForTest language(japanese);
    host.setDuctStyles({kStyleA}, 0);
    host.setTerminalStyles({{"T", "75.0", "2.0"}}, 0);
    ModalScript script;
    QString title;
    QString saveCaption;
    QString velocityLabel;
    QStringList fontFamilies;
    bool ductAreaVisible = false;
    bool terminalAreaVisible = false;
    bool onTop = false;
    bool fixed = false;
    QString objectName;
    script.then(OnEditor(script, [&](StyleEditor* e) {
        title = e->windowTitle();
        saveCaption = Find<QPushButton>(e, "Set_Save")->text();
        velocityLabel = Find<QLabel>(e, "Label7")->text();
        fontFamilies = QStringList{e->font().family()};
        ductAreaVisible = Find<QGroupBox>(e, "d_area")->isVisible();
        terminalAreaVisible = Find<QGroupBox>(e, "h_area")->isVisible();
        onTop = e->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
        fixed = e->minimumSize() == e->maximumSize();
        objectName = e->objectName();
        QTest::mouseClick(Find<QPushButton>(e, "BtnCancel"), Qt::LeftButton);
    }));
    OpenStyleEditor(host, terminal);
    QVERIFY2(script.clean(), qPrintable(script.problems()));
    QTEST(title, "title");
    QCOMPARE(objectName, QStringLiteral("DuctStyle"));
    QCOMPARE(ductAreaVisible, !terminal);
    QCOMPARE(terminalAreaVisible, terminal);
    QVERIFY(onTop);
    QVERIFY(fixed);
    QCOMPARE(saveCaption, japanese ? QStringLiteral("設定保存(&S)") : QStringLiteral("&Save"));
    QCOMPARE(velocityLabel, japanese ? QStringLiteral("・面風速[m/s]：")
                                     : QStringLiteral("Surface wind velocity[m/s]:"));
    QVERIFY(!fontFamilies.isEmpty());
    // The design face, or the installed look-alike that stands in for it.
    QCOMPARE(fontFamilies.first(),
             japanese ? kestrix::JapaneseUiFont(12).family() : kestrix::EnglishUiFont(8).family());
}

// ---------------------------------------------------------------------------
// The name dialog

void DialogsTest::nameDialogChecksTheName_data() {
    QTest::addColumn<bool>("japanese");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("message");
    const QStringList none;
    QTest::newRow("new name") << true << "Style 2" << true << "";
    QTest::newRow("full-width text") << true << "事務所　北" << true << "";
    QTest::newRow("128 bytes") << false << QString(128, QLatin1Char('a')) << true << "";
    QTest::newRow("duplicate, other case, Japanese")
        << true << "style1" << false << "選定ｽﾀｲﾙ名:\n　\"style1\" は、すでに登録されています！";
    QTest::newRow("duplicate, English")
        << false << "STYLE1" << false << "Style Name:\n  \"STYLE1\" has already been registered！";
    // The wave dash is stored as the full-width tilde of the listed name.
    QTest::newRow("duplicate in the file's code page")
        << false << QStringLiteral("b\u301C") << false
        << QStringLiteral("Style Name:\n  \"b\u301C\" has already been registered！");
    QTest::newRow("empty") << true << "" << false << "ｽﾀｲﾙ名が空白です。";
    QTest::newRow("blanks") << false << "   " << false << "The style name is empty.";
    QTest::newRow("ideographic spaces") << true << "　　" << false << "ｽﾀｲﾙ名が空白です。";
    QTest::newRow("double quote") << false << "a\"b" << false
                                  << "A style name cannot hold a double quotation mark [\"].";
    QTest::newRow("not code page 932")
        << false << "Café ☃" << false << "The style name holds a character that cannot be saved.";
    QTest::newRow("129 bytes") << false << QString(129, QLatin1Char('a')) << false
                               << "The style name is too long (up to 128 bytes).";
    QTest::newRow("65 double-byte characters, Japanese")
        << true << QString(65, QChar(0x3042)) << false << "ｽﾀｲﾙ名が長すぎます。(128ﾊﾞｲﾄまで)";
}

void DialogsTest::nameDialogChecksTheName() {
    QFETCH(bool, japanese);
    QFETCH(QString, typed);
    QFETCH(bool, accepted);
    QFETCH(QString, message);
    const LanguageForTest language(japanese);
    StyleNameDialog dialog(
        {QStringLiteral("Style1"), QStringLiteral("事務所"), QStringLiteral("B\uFF5E")});
    QCOMPARE(dialog.objectName(), QStringLiteral("DuctStyle2"));
    QCOMPARE(Find<QLineEdit>(&dialog, "name")->text(),
             japanese ? QStringLiteral("ｽﾀｲﾙ1") : QStringLiteral("Style1"));
    QCOMPARE(Find<QPushButton>(&dialog, "Button1")->text(),
             japanese ? QStringLiteral("OK(&O)") : QStringLiteral("&OK"));
    QCOMPARE(Find<QLabel>(&dialog, "Label1")->text(),
             japanese ? QStringLiteral("選定ｽﾀｲﾙ名：") : QStringLiteral("Style Name"));
    dialog.show();
    Find<QLineEdit>(&dialog, "name")->setFocus();
    Find<QLineEdit>(&dialog, "name")->selectAll();
    QTest::keyClick(Find<QLineEdit>(&dialog, "name"), Qt::Key_Backspace);
    TypeText(Find<QLineEdit>(&dialog, "name"), typed);
    QCOMPARE(dialog.enteredName(), typed);

    ModalScript script;
    SeenBox refusal;
    if (!accepted) script.then(Answer(script, QMessageBox::NoButton, &refusal));
    QTest::mouseClick(Find<QPushButton>(&dialog, "Button1"), Qt::LeftButton);
    QVERIFY2(script.clean(), qPrintable(script.problems()));
    if (accepted) {
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(!dialog.isVisible());
        return;
    }
    QCOMPARE(refusal.text, message);
    QCOMPARE(refusal.icon, QMessageBox::Warning);
    // A duplicate is refused with a Yes button only, as the name rules are with OK.
    QCOMPARE(refusal.buttons,
             QMessageBox::StandardButtons(message.contains(u'"' + typed + u'"') ? QMessageBox::Yes
                                                                                : QMessageBox::Ok));
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.enteredName(), typed);
}

// Enter in the name field accepts; on a focused button it presses that
// button, so Tab to Cancel and Enter cancels. An Alt letter that no access
// key takes is not typed into the name.
void DialogsTest::nameDialogKeys() {
    for (const bool japanese : {true, false}) {
        for (const bool cancel : {false, true}) {
            const LanguageForTest language(japanese);
            StyleNameDialog dialog({QStringLiteral("Style1")});
            dialog.show();
            dialog.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&dialog));
            Find<QLineEdit>(&dialog, "name")->setFocus();
            TypeText(Find<QLineEdit>(&dialog, "name"), QStringLiteral("New"));
            QTest::keyClick(Find<QLineEdit>(&dialog, "name"), Qt::Key_X, Qt::AltModifier);
            QCOMPARE(Find<QLineEdit>(&dialog, "name")->text(), QStringLiteral("New"));
            if (cancel) {
                QTest::keyClick(Find<QLineEdit>(&dialog, "name"), Qt::Key_Tab);
                QTest::keyClick(dialog.focusWidget(), Qt::Key_Tab);
                QCOMPARE(dialog.focusWidget(), Find<QPushButton>(&dialog, "Button2"));
            }
            QTest::keyClick(dialog.focusWidget(), Qt::Key_Return);
            QCOMPARE(dialog.result(), int(cancel ? QDialog::Rejected : QDialog::Accepted));
            QVERIFY(!dialog.isVisible());
        }
    }
}

void DialogsTest::nameDialogComparesOnlyNamesOfTheEditedKind_data() {
    QTest::addColumn<bool>("terminal");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("added");
    QTest::newRow("terminal may bear a duct style's name") << true << "Shared Duct" << true;
    QTest::newRow("terminal names are compared") << true << "shared grille" << false;
    QTest::newRow("duct may bear a terminal style's name") << false << "Shared Grille" << true;
    QTest::newRow("duct names are compared") << false << "SHARED DUCT" << false;
}

void DialogsTest::nameDialogComparesOnlyNamesOfTheEditedKind() {
    QFETCH(bool, terminal);
    QFETCH(QString, typed);
    QFETCH(bool, added);
    FakeHost host;
    host.terminalMode = terminal;
    host.setDuctStyles({Duct("Shared Duct", "1", "10.0", "0.10", "0", "4.0")}, 0);
    host.setTerminalStyles({{"Shared Grille", "75.0", "2.0"}}, 0);
    StyleEditor editor(host);
    editor.show();
    ModalScript script;
    script.then(EnterName(script, typed));
    if (!added) {
        script.then(Answer(script, QMessageBox::Yes, nullptr)).then([&script](QWidget* widget) {
            auto* dialog = qobject_cast<StyleNameDialog*>(widget);
            if (!dialog) script.fail(QStringLiteral("name dialog closed"));
            if (auto* d = qobject_cast<QDialog*>(widget)) d->reject();
        });
    }
    QTest::mouseClick(Find<QPushButton>(&editor, "New_Style"), Qt::LeftButton);
    QVERIFY2(script.clean(), qPrintable(script.problems()));
    QCOMPARE(Find<QComboBox>(&editor, "StyleCB")->count(), added ? 2 : 1);
    if (added) QCOMPARE(Find<QComboBox>(&editor, "StyleCB")->itemText(1), typed);
}

// ---------------------------------------------------------------------------
// The about box

void DialogsTest::aboutBoxInBothLanguages_data() {
    QTest::addColumn<bool>("japanese");
    QTest::newRow("Japanese") << true;
    QTest::newRow("English") << false;
}

void DialogsTest::aboutBoxInBothLanguages() {
    QFETCH(bool, japanese);
    QWidget mainWindow;
    QPixmap iconPixmap(32, 32);
    iconPixmap.fill(Qt::green);
    mainWindow.setWindowIcon(QIcon(iconPixmap));

    ModalScript script;
    QPointer<AboutBox> box;
    QString caption;
    QString version;
    QSize client;
    QFont lt1;
    QFont lcp2;
    bool hasIcon = false;
    QRect okGeometry;
    QRect imageGeometry;
    bool okFocused = false;
    script.then([&](QWidget* widget) {
        box = qobject_cast<AboutBox*>(widget);
        if (!box) {
            script.fail(QStringLiteral("expected the about box"));
            if (auto* d = qobject_cast<QDialog*>(widget)) d->reject();
            return;
        }
        caption = box->windowTitle();
        version = Find<QLabel>(box, "Lt2")->text();
        client = box->size();
        lt1 = Find<QLabel>(box, "Lt1")->font();
        lcp2 = Find<QLabel>(box, "Lcp2")->font();
        hasIcon = !Find<QLabel>(box, "Iair")->pixmap().isNull() && !box->windowIcon().isNull();
        okGeometry = Find<QPushButton>(box, "B_Ok")->geometry();
        imageGeometry = Find<QLabel>(box, "Iair")->geometry();
        okFocused = Find<QPushButton>(box, "B_Ok")->hasFocus();
        QTest::mouseClick(Find<QPushButton>(box, "B_Ok"), Qt::LeftButton);
    });
    const LanguageForTest language(japanese);
    OpenAboutBox(&mainWindow);
    QVERIFY2(script.clean(), qPrintable(script.problems()));
    QVERIFY(box.isNull());
    // The test program carries the same embedded version block as the program.
    QCOMPARE(version, QStringLiteral("version " KESTRIX_TEST_VERSION));
    // The version the program file carries.
    QCOMPARE(QStringLiteral(KESTRIX_TEST_VERSION), QStringLiteral("1.5.5.435"));
    QVERIFY(okFocused); // first in the tab order
    QCOMPARE(client, QSize(309, 124));
    QCOMPARE(okGeometry, QRect(120, 101, 65, 21));
    QCOMPARE(imageGeometry, QRect(8, 13, 41, 37));
    QVERIFY(hasIcon);
    QVERIFY(lt1.bold());
    if (japanese) {
        QCOMPARE(caption, QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報"));
        QCOMPARE(lt1.pixelSize(), 13);
        QCOMPARE(lcp2.pixelSize(), 12);
    } else {
        QCOMPARE(caption, QStringLiteral("Version information"));
        QCOMPARE(lt1.pointSize(), 9);
        QCOMPARE(lcp2.pointSize(), 8);
    }
}

// Its frame too: a box centred by its inside alone sits a title bar's
// height too low.
void DialogsTest::aboutBoxSitsInTheMiddleOfTheScreen() {
    QWidget mainWindow;
    mainWindow.resize(291, 360);
    mainWindow.show();
    QVERIFY(QTest::qWaitForWindowExposed(&mainWindow));
    QVERIFY(mainWindow.frameGeometry() != mainWindow.geometry());

    ModalScript script;
    QRect frame;
    QPoint screenCentre;
    script.then([&](QWidget* widget) {
        QTest::qWait(20);
        frame = widget->frameGeometry();
        screenCentre = widget->screen()->geometry().center();
        static_cast<QDialog*>(widget)->accept();
    });
    OpenAboutBox(&mainWindow);
    QVERIFY2(script.clean(), qPrintable(script.problems()));
    QVERIFY(frame.height() > 124);
    QVERIFY2(std::abs(frame.center().x() - screenCentre.x()) <= 1 &&
                 std::abs(frame.center().y() - screenCentre.y()) <= 1,
             qPrintable(QStringLiteral("frame centre %1,%2, screen centre %3,%4")
                            .arg(frame.center().x())
                            .arg(frame.center().y())
                            .arg(screenCentre.x())
                            .arg(screenCentre.y())));
}

void DialogsTest::aboutBoxWithoutVersionInformation() {
    QTemporaryDir dir;
    const QString plain = dir.filePath(QStringLiteral("plain.exe"));
    QFile file(plain);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(4096, 'x') + "KESTRIX-VERSION" + QByteArray(100, '\0'));
    file.close();
    for (const QString& program : {plain, dir.filePath(QStringLiteral("absent.exe"))}) {
        AboutBox box(nullptr, program);
        QCOMPARE(box.objectName(), QStringLiteral("AboutBox"));
        QCOMPARE(Find<QLabel>(&box, "Lt2")->text(), QStringLiteral("version xxx"));
        QCOMPARE(Find<QLabel>(&box, "Lt1")->text(), QStringLiteral("Kestrix for Windows(R)"));
        QVERIFY(!ReadVersionInfo(program).has_value());
    }
}

void DialogsTest::embeddedVersionBlock_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("found");
    QTest::addColumn<QString>("fileVersion");
    QTest::addColumn<QString>("company");
    // Assembled here so that this program's own bytes hold only the real block.
    QByteArray marker = QByteArrayLiteral("OFNINOISREV-XIRTSEK");
    std::reverse(marker.begin(), marker.end());
    marker.append('\0');
    const QByteArray pairs("CompanyName\0Norvale\0FileVersion\0"
                           "2.0.1.7\0\0",
                           42);
    QTest::newRow("whole block") << QByteArray("junk") + marker + pairs << true << "2.0.1.7"
                                 << "Norvale";
    QTest::newRow("missing names stay empty") << marker + QByteArray("FileVersion\0"
                                                                     "3\0\0",
                                                                     15)
                                              << true << "3"
                                              << "";
    QTest::newRow("unknown names are skipped") << marker + QByteArray("Other\0x\0FileVersion\0"
                                                                      "4\0\0",
                                                                      23)
                                               << true << "4"
                                               << "";
    QTest::newRow("cut short") << marker + QByteArray("FileVersion\0"
                                                      "5",
                                                      13)
                               << false << ""
                               << "";
    QTest::newRow("first copy cut, second whole")
        << marker + QByteArray("FileVer", 7) + marker + pairs << true << "2.0.1.7"
        << "Norvale";
    QTest::newRow("no marker") << QByteArray("CompanyName\0Norvale\0\0", 21) << false << ""
                               << "";
}

void DialogsTest::embeddedVersionBlock() {
    QFETCH(QByteArray, bytes);
    QFETCH(bool, found);
    const auto info = ParseEmbeddedVersionBlock(std::string_view(bytes.constData(), bytes.size()));
    QCOMPARE(info.has_value(), found);
    if (!found) return;
    QTEST(info->fileVersion(), "fileVersion");
    QTEST(info->value("CompanyName"), "company");
    QCOMPARE(info->value("ProductName"), QString());
}

namespace {
class UrlRecorder : public QObject {
    Q_OBJECT
  public:
    QList<QUrl> opened;
  public slots:
    void open(const QUrl& url) { opened.append(url); }
};
} // namespace

void DialogsTest::aboutLinkOpensPageEachTime() {
    UrlRecorder recorder;
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &recorder, "open");
    AboutBox box(nullptr);
    box.show();
    QTest::mouseClick(Find<QLabel>(&box, "Lurl"), Qt::LeftButton);
    QTest::mouseClick(Find<QLabel>(&box, "Lurl"), Qt::LeftButton);
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    QCOMPARE(recorder.opened.size(), 2);
    QCOMPARE(recorder.opened.first(), MakerPageUrl());
    QVERIFY(recorder.opened.first().host().endsWith(QLatin1String(".example")));
    QVERIFY(Find<QLabel>(&box, "Lurl")->text().contains(MakerPageUrl().toString()));
    QVERIFY(box.isVisible());
}

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (!UseLanguage(Language::Japanese)) qFatal("the Japanese catalogue did not load");
    DialogsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "dialogs_test.moc"
