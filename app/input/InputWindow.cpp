#include "InputWindow.h"

#include "DataEdit.h"
#include "Messages.h"
#include "WindowFit.h"

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QTabWidget>
#include <QTextEdit>
#include <QVBoxLayout>

#include <functional>
#include <map>
#include <vector>

namespace veldo {

namespace {

const QString kFlagsName = QStringLiteral("InputWindowFlags");

// The created-once flags of the main window's input windows, one per window class,
// kept as a child object of the main window: a class's flag is true while its
// window is recorded here.
class TInputWindowFlags final : public QObject {
public:
    explicit TInputWindowFlags(QObject* owner) : QObject(owner) { setObjectName(kFlagsName); }
    std::map<std::type_index, QPointer<TInputWindow>> windows;
};

TInputWindowFlags* FindFlags(const TMainForm& main)
{
    return dynamic_cast<TInputWindowFlags*>(main.findChild<QObject*>(kFlagsName, Qt::FindDirectChildrenOnly));
}

TInputWindowFlags& Flags(TMainForm& main)
{
    if (TInputWindowFlags* flags = FindFlags(main))
        return *flags;
    return *new TInputWindowFlags(&main);
}

// Sets a flag for the length of a scope and clears it when the scope ends, whatever leaves it.
class TFlagScope {
public:
    explicit TFlagScope(bool& flag) : flag_(flag) { flag_ = true; }
    ~TFlagScope() { flag_ = false; }
    TFlagScope(const TFlagScope&) = delete;
    TFlagScope& operator=(const TFlagScope&) = delete;

private:
    bool& flag_;
};

} // namespace

TInputWindow::TInputWindow(TMainForm& main, const QString& caption) : main_(main)
{
    setWindowTitle(caption);
    focusConnection_ =
        connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) { RememberFocus(now); });
}

// The focus changes while ~QWidget frees the children: the window must not hear them.
TInputWindow::~TInputWindow() { disconnect(focusConnection_); }

QMdiSubWindow* TInputWindow::SubWindow() const { return qobject_cast<QMdiSubWindow*>(parentWidget()); }

void TInputWindow::FormActivate()
{
    TFlagScope loading(loading_);
    LoadFromProject();
    loadedState_ = ProjectState(Data(), main_.Tables());
}

void TInputWindow::Commit()
{
    CommitToProject();
    TProjectState now = ProjectState(Data(), main_.Tables());
    if (now != loadedState_)
        main_.SetModified(true);
    loadedState_ = std::move(now);
}

bool TInputWindow::FormDeactivate()
{
    if (closing_)
        return true;
    // Also called by the main window's commands: nothing it raises goes further.
    bool committed = false;
    RunReportingErrors([this, &committed] {
        if (!EntriesValid()) {
            TakeActivationBack();
            return;
        }
        Commit();
        committed = true;
    });
    return committed;
}

void TInputWindow::CloseClick()
{
    if (QMdiSubWindow* frame = SubWindow())
        frame->close();
    else
        close();
}

TDataEdit* TInputWindow::FocusedEntry() const
{
    QWidget* focused = focusWidget();
    if (!focused || !isAncestorOf(focused))
        focused = focused_;
    return qobject_cast<TDataEdit*>(focused);
}

TDataEdit* TInputWindow::InvalidEntry() const
{
    if (TDataEdit* focused = FocusedEntry(); focused && !focused->EntryProblem().isEmpty())
        return focused;
    for (TDataEdit* field : findChildren<TDataEdit*>()) {
        // Fields of a dialog the window owns belong to that dialog.
        if (field->window() == window() && !field->EntryProblem().isEmpty())
            return field;
    }
    return nullptr;
}

bool TInputWindow::EntriesAcceptable() const { return InvalidEntry() == nullptr; }

bool TInputWindow::EntriesValid()
{
    TDataEdit* field = InvalidEntry();
    if (!field) {
        // As on leaving it, the focused field shows the value of its expression.
        if (TDataEdit* focused = FocusedEntry())
            focused->DoExit();
        return true;
    }
    // Focusing the field activates the window: it stays (or becomes again) the active
    // one without being reloaded.
    active_ = true;
    for (QTabWidget* tabs : findChildren<QTabWidget*>()) {
        for (QWidget* page = field; page; page = page->parentWidget()) {
            if (const int index = tabs->indexOf(page); index >= 0)
                tabs->setCurrentIndex(index);
        }
    }
    field->ReportProblem();
    return false;
}

void TInputWindow::Modified()
{
    if (!loading_)
        main_.SetModified(true);
}

void TInputWindow::LoadField(TDataEdit& field, long double value) const
{
    field.SetUnits(main_.Data().UnitSystem);
    field.SetNumber(value);
}

void TInputWindow::LoadFields(std::span<const TNumberField> fields) const
{
    for (const TNumberField& f : fields)
        LoadField(*f.field, Data().*f.value);
}

void TInputWindow::StoreFields(std::span<const TNumberField> fields)
{
    std::vector<long double> numbers;
    for (const TNumberField& f : fields)
        numbers.push_back(f.field->GetNumber());
    auto number = numbers.begin();
    for (const TNumberField& f : fields)
        Data().*f.value = *number++;
}

QPushButton* TInputWindow::AddCloseButton(QBoxLayout* layout, const QString& name)
{
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    close->setObjectName(name);
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(close);
    layout->addLayout(row);
    ConnectReportingErrors(close, &QPushButton::clicked, this, &TInputWindow::CloseClick);
    return close;
}

void TInputWindow::MarkModifiedOn(QLineEdit* edit)
{
    connect(edit, &QLineEdit::textChanged, this, &TInputWindow::Modified);
}

void TInputWindow::MarkModifiedOn(QAbstractButton* button)
{
    connect(button, &QAbstractButton::toggled, this, &TInputWindow::Modified);
    connect(button, &QAbstractButton::clicked, this, &TInputWindow::Modified);
}

void TInputWindow::MarkModifiedOn(QComboBox* combo)
{
    connect(combo, &QComboBox::currentTextChanged, this, &TInputWindow::Modified);
}

void TInputWindow::MarkModifiedOn(QPlainTextEdit* memo)
{
    connect(memo, &QPlainTextEdit::textChanged, this, &TInputWindow::Modified);
}

void TInputWindow::MarkModifiedOn(QTextEdit* memo)
{
    connect(memo, &QTextEdit::textChanged, this, &TInputWindow::Modified);
}

void TInputWindow::closeEvent(QCloseEvent* event)
{
    if (closing_) {
        event->accept();
        return;
    }
    bool closes = false;
    RunReportingErrors([&] {
        if (!EntriesValid() || !CanClose())
            return;
        Commit();
        closes = true;
    });
    if (!closes) {
        event->ignore();
        return;
    }
    closing_ = true;
    if (TInputWindowFlags* flags = FindFlags(main_))
        flags->windows.erase(std::type_index(typeid(*this)));
    event->accept();
}

void TInputWindow::ActivationChanged()
{
    // The area's current state, not the signal's argument: a window that takes the
    // activation back re-enters this while the first signal is still being delivered.
    QMdiSubWindow* frame = SubWindow();
    if (closing_ || !frame)
        return;
    QMdiSubWindow* current = frame->mdiArea() ? frame->mdiArea()->activeSubWindow() : nullptr;
    if (current == frame && !active_) {
        // The window left commits before this one loads, whatever order the area
        // tells its windows in; when it keeps the activation, this one stays inactive.
        std::vector<QPointer<TInputWindow>> others;
        if (const TInputWindowFlags* flags = FindFlags(main_)) {
            for (const auto& entry : flags->windows)
                others.push_back(entry.second);
        }
        for (const QPointer<TInputWindow>& other : others) {
            if (other && other != this && other->active_)
                other->ActivationChanged();
        }
        if (frame->mdiArea()->activeSubWindow() != frame)
            return;
        active_ = true;
        RunReportingErrors([this] { FormActivate(); });
    } else if (current && current != frame && active_) {
        active_ = false;
        RunReportingErrors([this] { FormDeactivate(); });
    }
}

void TInputWindow::TakeActivationBack()
{
    QMdiSubWindow* frame = SubWindow();
    if (!frame || !frame->mdiArea())
        return;
    active_ = true; // shown again without reloading: the typed entry stays
    if (frame->mdiArea()->activeSubWindow() != frame)
        frame->mdiArea()->setActiveSubWindow(frame);
    if (TDataEdit* field = InvalidEntry())
        field->setFocus(Qt::OtherFocusReason);
}

void TInputWindow::RememberFocus(QWidget* now)
{
    if (now && isAncestorOf(now))
        focused_ = now;
}

TInputWindow* FindInputWindow(const TMainForm& main, std::type_index type)
{
    const TInputWindowFlags* flags = FindFlags(main);
    if (!flags)
        return nullptr;
    const auto found = flags->windows.find(type);
    return found == flags->windows.end() ? nullptr : found->second.data();
}

void TInputWindow::MakeScrollable()
{
    QLayout* own = layout();
    if (!own || content_)
        return;
    content_ = new QWidget;
    content_->setObjectName(QStringLiteral("ScrollContent"));
    content_->setLayout(own); // takes the layout and its widgets over from the window
    auto* scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("ContentScroll"));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setWidget(content_);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(scroll);
}

QSize TInputWindow::ContentSizeHint() const { return content_ ? content_->sizeHint() : sizeHint(); }

void PlaceInputWindow(TMainForm& main, TInputWindow& window, std::type_index type)
{
    Flags(main).windows[type] = &window;
    QMdiArea* area = main.MdiArea();
    window.MakeScrollable();
    QMdiSubWindow* frame = area->addSubWindow(&window);
    frame->setAttribute(Qt::WA_DeleteOnClose);
    ConnectReportingErrors(area, &QMdiArea::subWindowActivated, &window, [&window] { window.ActivationChanged(); });
    frame->showNormal();
    area->setActiveSubWindow(frame);
    // Without an active main window the area may not activate children; the window
    // is loaded all the same.
    if (!window.active_) {
        window.active_ = area->activeSubWindow() == frame;
        RunReportingErrors([&window] { window.FormActivate(); });
    }
    // Sized by what it loaded (the soil layers window by its rows).
    FitSubWindow(*frame, window.ContentSizeHint());
}

void BringInputWindowForward(TInputWindow& window)
{
    QMdiSubWindow* frame = window.SubWindow();
    if (!frame)
        return;
    if (frame->isMinimized())
        frame->showNormal();
    frame->raise();
    if (QMdiArea* area = frame->mdiArea())
        area->setActiveSubWindow(frame);
}

namespace {

// Runs `action` on every open input window of the main window.
void ForEachInputWindow(const TMainForm& main, const std::function<void(TInputWindow&)>& action)
{
    const TInputWindowFlags* flags = FindFlags(main);
    if (!flags)
        return;
    for (const auto& entry : flags->windows) {
        if (TInputWindow* window = entry.second)
            action(*window);
    }
}

} // namespace

void ReloadInputWindows(TMainForm& main)
{
    ForEachInputWindow(main, [](TInputWindow& window) { RunReportingErrors([&window] { window.FormActivate(); }); });
}

void CompareInputWindowsWithProject(TMainForm& main)
{
    const TProjectState now = ProjectState(main.Data(), main.Tables());
    ForEachInputWindow(main, [&now](TInputWindow& window) { window.loadedState_ = now; });
}

// ---- Building a window's controls -------------------------------------------------

QRadioButton* AddRadio(QBoxLayout* layout, const QString& name, const QString& caption, int indent)
{
    auto* radio = Named(new QRadioButton(caption), name);
    if (indent > 0) {
        auto* row = new QHBoxLayout;
        row->addSpacing(indent);
        row->addWidget(radio);
        layout->addLayout(row);
    } else {
        layout->addWidget(radio);
    }
    return radio;
}

QButtonGroup* Exclusive(QWidget* owner, std::initializer_list<QRadioButton*> radios)
{
    auto* group = new QButtonGroup(owner);
    int id = 0;
    for (QRadioButton* radio : radios)
        group->addButton(radio, id++);
    return group;
}

} // namespace veldo
