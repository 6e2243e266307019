// The one path for every message box the program shows. Windows call Messages();
// tests install a recorder that keeps the texts and answers questions from a script.
#pragma once

#include <QObject>
#include <QString>

#include <deque>
#include <functional>
#include <type_traits>
#include <utility>
#include <vector>

namespace veldo {

enum class TMessageKind { Information, Warning, Error, Question };
enum class TMessageAnswer { Ok, Yes, No, Cancel };
enum class TQuestionButtons { YesNo, YesNoCancel };

class IMessages {
public:
    virtual ~IMessages() = default;
    // Modal boxes with an OK button.
    virtual void Information(const QString& text) = 0;
    virtual void Warning(const QString& text) = 0;
    virtual void Error(const QString& text) = 0;
    // Modal confirmation; the answer is Yes, No or (with YesNoCancel) Cancel.
    virtual TMessageAnswer Question(const QString& text, TQuestionButtons buttons = TQuestionButtons::YesNoCancel) = 0;
};

// The interface in force: the installed one, else the QMessageBox implementation.
IMessages& Messages();

// Installs a replacement (not owned) and returns the previous one; nullptr restores
// the QMessageBox implementation.
IMessages* InstallMessages(IMessages* messages);

// Runs a user command from an event handler: any exception it raises is shown in an
// error box and goes no further. Returns false when the command failed.
bool RunReportingErrors(const std::function<void()>& command);

namespace detail {

// A slot run inside RunReportingErrors. It takes only the arguments `F` takes, so Qt
// passes it as many leading arguments of the signal as the slot has.
template <class F> struct TReportingSlot {
    F slot;
    template <class... Args>
    requires std::is_invocable_v<F&, Args&...>
    void operator()(Args&&... args)
    {
        RunReportingErrors([&] { std::invoke(slot, args...); });
    }
};
// Spelled out for compilers without deduction for aggregates (clang 14).
template <class F> TReportingSlot(F) -> TReportingSlot<F>;

} // namespace detail

// Connects `signal` of `sender` to `slot` run inside RunReportingErrors: whatever the
// slot throws ends in one error box, never in the event loop. `slot` is a member
// function of `receiver` or a callable; either takes the signal's leading arguments
// (all, some or none). The connection ends with `receiver` (the context object).
template <class Sender, class SignalClass, class... SignalArgs, class Receiver, class Slot>
QMetaObject::Connection ConnectReportingErrors(const Sender* sender, void (SignalClass::*signal)(SignalArgs...),
                                               Receiver* receiver, Slot slot)
{
    if constexpr (std::is_member_function_pointer_v<Slot>)
        return QObject::connect(sender, signal, receiver, detail::TReportingSlot{std::bind_front(slot, receiver)});
    else
        return QObject::connect(sender, signal, receiver, detail::TReportingSlot{std::move(slot)});
}

// Keeps every message shown; questions take their answers from a queue (Yes when empty).
class TRecordedMessages final : public IMessages {
public:
    struct Entry {
        TMessageKind kind;
        QString text;
    };

    void Information(const QString& text) override;
    void Warning(const QString& text) override;
    void Error(const QString& text) override;
    TMessageAnswer Question(const QString& text, TQuestionButtons buttons) override;

    void QueueAnswer(TMessageAnswer answer) { answers_.push_back(answer); }
    const std::vector<Entry>& Entries() const { return entries_; }
    // Texts of all messages in order.
    std::vector<QString> Texts() const;
    void Clear() { entries_.clear(); }

private:
    std::vector<Entry> entries_;
    std::deque<TMessageAnswer> answers_;
};

// Installs a recorder for the lifetime of the object (tests).
class TScopedMessageRecorder {
public:
    TScopedMessageRecorder() : previous_(InstallMessages(&recorder_)) {}
    ~TScopedMessageRecorder() { InstallMessages(previous_); }
    TScopedMessageRecorder(const TScopedMessageRecorder&) = delete;
    TScopedMessageRecorder& operator=(const TScopedMessageRecorder&) = delete;

    TRecordedMessages& operator*() { return recorder_; }
    TRecordedMessages* operator->() { return &recorder_; }

private:
    TRecordedMessages recorder_;
    IMessages* previous_;
};

} // namespace veldo
