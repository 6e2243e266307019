// The About box: name and version, the two links opened through the shell with the
// addresses of the settings, placeholders without them, and the Help menu item.
#include "About.h"
#include "Main.h"
#include "MainSettings.h"
#include "MainTestSupport.h"
#include "Messages.h"

#include <QAction>
#include <QApplication>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest/QTest>

#include <gtest/gtest.h>

#include <memory>

namespace veldo {
namespace {

class AboutBoxTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }

    QString IniPath() const { return dir_.filePath(QStringLiteral("VELDO.ini")); }

    void StoreAddresses(const QString& email, const QString& web) const
    {
        QSettings ini(IniPath(), QSettings::IniFormat);
        ini.setValue(QStringLiteral("2015.7.7/Maker E-mail"), email);
        ini.setValue(QStringLiteral("2015.7.7/Maker Web Site"), web);
        ini.sync();
    }

    QTemporaryDir dir_;
    test::TRecordingShell shell_;
    TScopedMessageRecorder messages_;
};

TEST_F(AboutBoxTest, ShowsNameVersionAndTheConfiguredLinks)
{
    StoreAddresses(QStringLiteral(" office@example.org "), QStringLiteral("https://www.example.org/veldo"));
    const TAboutLinks links = AboutLinks(TMainSettings(IniPath()));
    EXPECT_EQ(links.email, "office@example.org");
    EXPECT_EQ(links.webSite, "https://www.example.org/veldo");

    TAboutBox box(shell_, links);
    EXPECT_EQ(box.ProductLabel().text(), "Veldo 2015");
    EXPECT_TRUE(box.VersionLabel().text().contains("2015.7.7"));
    EXPECT_EQ(box.Label4().text(), "office@example.org");
    EXPECT_EQ(box.Label6().text(), "https://www.example.org/veldo");
    EXPECT_TRUE(box.Label4().isEnabled());
    EXPECT_TRUE(box.Label6().isEnabled());

    box.show();
    QTest::mouseClick(&box.Label4(), Qt::LeftButton);
    QTest::mouseClick(&box.Label6(), Qt::LeftButton);
    ASSERT_EQ(shell_.urls.size(), 2u);
    EXPECT_EQ(shell_.urls[0], QUrl("mailto:office@example.org"));
    EXPECT_EQ(shell_.urls[1], QUrl("https://www.example.org/veldo"));
    // A right click opens nothing.
    QTest::mouseClick(&box.Label6(), Qt::RightButton);
    EXPECT_EQ(shell_.urls.size(), 2u);

    shell_.succeed = false;
    EXPECT_FALSE(box.Label6Click());
    EXPECT_TRUE(messages_->Texts().empty());
}

TEST_F(AboutBoxTest, WithoutAddressesTheLinksArePlaceholdersThatOpenNothing)
{
    TAboutBox box(shell_, AboutLinks(TMainSettings(IniPath())));
    EXPECT_EQ(box.Label4().text(), TAboutBox::EmailPlaceholder);
    EXPECT_EQ(box.Label6().text(), TAboutBox::WebPlaceholder);
    EXPECT_FALSE(box.Label4().isEnabled());
    EXPECT_FALSE(box.Label6().isEnabled());
    EXPECT_FALSE(box.Label4Click());
    EXPECT_FALSE(box.Label6Click());
    EXPECT_TRUE(shell_.urls.empty());
}

TEST_F(AboutBoxTest, HelpMenuShowsTheBoxModallyWithTheSettingsAddresses)
{
    StoreAddresses(QStringLiteral("office@example.org"), QString());
    test::TScriptedFileDialogs dialogs;
    TMainFormOptions options;
    options.settingsFile = IniPath();
    options.programDir = dir_.path();
    options.fileDialogs = &dialogs;
    options.shell = &shell_;
    auto form = std::make_unique<TMainForm>(std::move(options));
    form->show();

    QAction* about = form->Action(QStringLiteral("HelpAbout"));
    ASSERT_NE(about, nullptr);
    EXPECT_TRUE(about->isEnabled());
    EXPECT_EQ(about->text(), "&About...");

    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<TAboutBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        seen = true;
        EXPECT_EQ(box->Label4().text(), "office@example.org");
        EXPECT_EQ(box->Label6().text(), TAboutBox::WebPlaceholder);
        box->Label4Click();
        box->OKButton().click();
    });
    about->trigger(); // returns when the box is closed
    EXPECT_TRUE(seen);
    ASSERT_EQ(shell_.urls.size(), 1u);
    EXPECT_EQ(shell_.urls[0], QUrl("mailto:office@example.org"));
}

} // namespace
} // namespace veldo
