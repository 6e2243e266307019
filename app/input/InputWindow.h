// Base of every input window: an MDI child of the main window that edits one group
// of project settings. It holds no copy of the project: its controls are the only
// state between loading and committing.
//
// How a concrete window uses it:
//
//   class TdlgTitle final : public TInputWindow {
//   public:
//       explicit TdlgTitle(TMainForm& main) : TInputWindow(main, "Project Title")
//       {
//           ... build the controls (numeric entries are TDataEdit) ...
//           MarkModifiedOn(someEdit);              // every edit sets the modified flag
//           connect(closeButton, &QPushButton::clicked, this, &TInputWindow::CloseClick);
//       }
//   protected:
//       void LoadFromProject() override;  // every control from Data()/MainForm().Tables():
//                                         // fields via LoadField (Units, then Number),
//                                         // then the window's enabling rules
//       void CommitToProject() override;  // every control back into the project:
//                                         // numbers by GetNumber, integers rounded,
//                                         // dependent values made consistent
//       bool CanClose() override;         // optional: the window's own closing checks
//   };
//
// The launcher (a menu item or toolbar button of the main window) calls
// ShowInputWindow<TdlgTitle>(mainForm): the window is created on first use and
// afterwards only brought forward.
//
// Life cycle handled here: activation loads (LoadFromProject); deactivation (another
// MDI child activated, or TMainForm::DeactivateActiveChild) commits
// (CommitToProject) unless a numeric entry holds an invalid entry (the focused one
// first), in which case the field reports its problem (message and focus; the stickup
// field also sets 0 as on leaving it), the window takes the activation back and
// nothing is stored; closing is refused for the same reason (and when
// CanClose says no), otherwise it commits, frees the window and clears its
// created-once flag. The window left always commits before the window chosen loads.
// Loading never marks the project modified; change signals bound by MarkModifiedOn
// mark it modified outside loading, and a commit marks it modified exactly when it
// changed a value of the project since the window was loaded: looking is not editing.
#pragma once

#include "Main.h"

#include <QMdiSubWindow>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <initializer_list>
#include <span>
#include <typeindex>

class QAbstractButton;
class QButtonGroup;
class QRadioButton;
class QBoxLayout;
class QPushButton;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QTextEdit;

namespace veldo {

class TDataEdit;

class TInputWindow : public QWidget, public IInputWindow {
    Q_OBJECT
public:
    TInputWindow(TMainForm& main, const QString& caption);
    ~TInputWindow() override;

    TMainForm& MainForm() const { return main_; }
    TProgramData& Data() const { return main_.Data(); }
    // The MDI frame of the window; nullptr until the launcher has placed it.
    QMdiSubWindow* SubWindow() const;

    // Loads every control from the project (no modified marks while loading).
    void FormActivate();
    // Commits the controls unless a numeric entry is invalid; then the window shows
    // itself again and nothing is stored.
    bool FormDeactivate() override;
    // Asks the window to close (the "Close" button); the close event decides.
    void CloseClick();

    // The numeric entry that has (or last had) the focus in this window, or nullptr.
    TDataEdit* FocusedEntry() const;
    // The first numeric entry of the window that its validation would refuse: the
    // focused one first, then the others (an entry left invalid by a tab or an
    // enabling change that took the focus away), or nullptr.
    TDataEdit* InvalidEntry() const;
    // True when every numeric entry of the window is valid (the focused one then shows
    // its value, as on leaving it); otherwise reports the refused field's problem
    // (TDataEdit::ReportProblem: its message, the focus, a stickup set to 0), with its
    // tab page brought forward, and returns false.
    bool EntriesValid();
    bool EntriesAcceptable() const override;

    // Sets the project's modified flag, except while the controls are being loaded.
    void Modified();

    // Puts the window's content into a scroll area of its own, so that a window
    // smaller than its content still reaches every control (run once, when placed).
    void MakeScrollable();
    // The size the content asks for (the window's own size hint before scrolling).
    QSize ContentSizeHint() const;
    bool Loading() const { return loading_; }

protected:
    // Loads every control from the project: for a numeric entry first its Units,
    // then its Number (LoadField); then applies the window's enabling rules.
    virtual void LoadFromProject() = 0;
    // Writes every control back into the project.
    virtual void CommitToProject() = 0;
    // The window's own checks on closing; false keeps it open (after its message).
    virtual bool CanClose() { return true; }

    // CommitToProject, then the modified mark when the project changed since loading.
    void Commit();

    // Units := the project's unit system, then Number := value.
    void LoadField(TDataEdit& field, long double value) const;

    // A numeric entry and the project value it edits.
    struct TNumberField {
        TDataEdit* field;
        long double TProgramData::*value;
    };
    // LoadField of each entry with its value.
    void LoadFields(std::span<const TNumberField> fields) const;
    // Stores each entry's number in its value; every number is read before anything
    // is stored, so that an entry that cannot be evaluated leaves the project whole.
    void StoreFields(std::span<const TNumberField> fields);

    // A "Close" button at the right of its own row at the end of `layout`.
    QPushButton* AddCloseButton(QBoxLayout* layout, const QString& name = QStringLiteral("Button1"));
    // Binds a control's change signal to Modified().
    void MarkModifiedOn(QLineEdit* edit);
    void MarkModifiedOn(QAbstractButton* button);
    void MarkModifiedOn(QComboBox* combo);
    void MarkModifiedOn(QPlainTextEdit* memo);
    void MarkModifiedOn(QTextEdit* memo);

    void closeEvent(QCloseEvent* event) override;

private:
    friend void PlaceInputWindow(TMainForm& main, TInputWindow& window, std::type_index type);
    friend void CompareInputWindowsWithProject(TMainForm& main);
    // Follows the MDI area's activation changes.
    void ActivationChanged();
    void TakeActivationBack();
    void RememberFocus(QWidget* now);

    TMainForm& main_;
    QPointer<QWidget> focused_;
    QMetaObject::Connection focusConnection_;
    // The project as the window last loaded or committed it.
    TProjectState loadedState_;
    bool active_ = false;
    bool loading_ = false;
    bool closing_ = false;
    QPointer<QWidget> content_;
};

// ---- Building a window's controls -------------------------------------------------

// The widget, given its object name.
template <class T> T* Named(T* widget, const QString& name)
{
    widget->setObjectName(name);
    return widget;
}

// A radio button named `name` at the end of `layout`, indented by `indent` pixels.
QRadioButton* AddRadio(QBoxLayout* layout, const QString& name, const QString& caption, int indent = 0);

// The radios as one exclusive group owned by `owner`, with the ids 0, 1, ... in order.
QButtonGroup* Exclusive(QWidget* owner, std::initializer_list<QRadioButton*> radios);

// ---- Launching: one window of each class, created on first use ---------------------

// The open window of a class, or nullptr (its created-once flag is false).
TInputWindow* FindInputWindow(const TMainForm& main, std::type_index type);
// Places a newly created window in the MDI area, records its flag, shows and activates it.
void PlaceInputWindow(TMainForm& main, TInputWindow& window, std::type_index type);
// Brings an open window forward and activates it.
void BringInputWindowForward(TInputWindow& window);
// Loads every open input window again (after the unit system changed).
void ReloadInputWindows(TMainForm& main);
// Makes the project as it is now what every open input window compares its next
// commit with (after a save: what was saved is no change).
void CompareInputWindowsWithProject(TMainForm& main);

template <class TWindow> TWindow* FindInputWindow(const TMainForm& main)
{
    return static_cast<TWindow*>(FindInputWindow(main, std::type_index(typeid(TWindow))));
}

template <class TWindow> bool InputWindowCreated(const TMainForm& main)
{
    return FindInputWindow<TWindow>(main) != nullptr;
}

// Creates the window when its flag is false (owner: the main window), else brings
// the existing one forward.
template <class TWindow> TWindow& ShowInputWindow(TMainForm& main)
{
    if (TWindow* open = FindInputWindow<TWindow>(main)) {
        BringInputWindowForward(*open);
        return *open;
    }
    auto* window = new TWindow(main); // owned by its MDI frame
    PlaceInputWindow(main, *window, std::type_index(typeid(TWindow)));
    return *window;
}

} // namespace veldo
