// Slots connected through ConnectReportingErrors: whatever they throw ends in one
// error box and the signal's sender goes on.
#include "Messages.h"

#include <QObject>

#include <gtest/gtest.h>

#include <stdexcept>

namespace veldo {
namespace {

class TThrowingReceiver : public QObject {
public:
    int calls = 0;
    void Fail()
    {
        ++calls;
        throw std::runtime_error("cell read failed");
    }
    void Take(const QString& name) { names.push_back(name); }
    std::vector<QString> names;
};

TEST(ConnectReportingErrors, AThrowingSlotShowsOneErrorBox)
{
    TScopedMessageRecorder messages;
    QObject sender;
    TThrowingReceiver receiver;
    // A member slot without the signal's argument, one with it, and a callable.
    ConnectReportingErrors(&sender, &QObject::objectNameChanged, &receiver, &TThrowingReceiver::Fail);
    ConnectReportingErrors(&sender, &QObject::objectNameChanged, &receiver, &TThrowingReceiver::Take);
    ConnectReportingErrors(&sender, &QObject::objectNameChanged, &receiver,
                           [](const QString& name) { throw std::invalid_argument(name.toStdString()); });
    sender.setObjectName(QStringLiteral("first"));
    EXPECT_EQ(receiver.calls, 1);
    EXPECT_EQ(receiver.names, std::vector<QString>{"first"});
    ASSERT_EQ(messages->Entries().size(), 2u);
    EXPECT_EQ(messages->Entries()[0].kind, TMessageKind::Error);
    EXPECT_EQ(messages->Texts(), (std::vector<QString>{"cell read failed", "first"}));

    sender.setObjectName(QStringLiteral("second"));
    EXPECT_EQ(receiver.calls, 2);
    EXPECT_EQ(messages->Texts().size(), 4u);
}

TEST(ConnectReportingErrors, TheConnectionEndsWithTheReceiver)
{
    TScopedMessageRecorder messages;
    QObject sender;
    auto receiver = std::make_unique<TThrowingReceiver>();
    ConnectReportingErrors(&sender, &QObject::objectNameChanged, receiver.get(), &TThrowingReceiver::Fail);
    receiver.reset();
    sender.setObjectName(QStringLiteral("after"));
    EXPECT_TRUE(messages->Entries().empty());
}

} // namespace
} // namespace veldo
