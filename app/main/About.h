// The About box: the program's name and version and two links, the maker's e-mail
// address and web site, which open through the shell. The addresses come from the
// settings values "Maker E-mail" and "Maker Web Site"; a link without an address
// shows a placeholder and opens nothing.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QString>

#include <functional>

class QPushButton;

namespace veldo {

class IShell;
class TMainSettings;

struct TAboutLinks {
    QString email;   // e.g. "office@example.org"; empty: not configured
    QString webSite; // e.g. "https://example.org"; empty: not configured
};

// The addresses from the settings' "Maker E-mail" and "Maker Web Site" values.
TAboutLinks AboutLinks(const TMainSettings& settings);

// A label that acts like a link: underlined, a pointing hand, a click runs OnClick.
// Disabled (no hand, no click) while it only shows a placeholder.
class TLinkLabel final : public QLabel {
public:
    explicit TLinkLabel(QWidget* parent = nullptr);
    std::function<void()> OnClick;

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

class TAboutBox final : public QDialog {
    Q_OBJECT
public:
    TAboutBox(IShell& shell, TAboutLinks links, QWidget* parent = nullptr);

    static const QString ProductName;      // "Veldo 2015"
    static const QString Version;          // "2015.7.7"
    static const QString EmailPlaceholder; // shown when no e-mail address is configured
    static const QString WebPlaceholder;   // shown when no web address is configured
    static const QString EmailSetting;     // "Maker E-mail"
    static const QString WebSetting;       // "Maker Web Site"

    QLabel& ProductLabel() const { return *product_; }
    QLabel& VersionLabel() const { return *version_; }
    TLinkLabel& Label4() const { return *email_; }
    TLinkLabel& Label6() const { return *web_; }
    QPushButton& OKButton() const { return *ok_; }

    // Opens "mailto:" + the e-mail address; nothing without an address.
    bool Label4Click();
    // Opens the web address; nothing without an address.
    bool Label6Click();

private:
    IShell& shell_;
    TAboutLinks links_;
    QLabel* product_ = nullptr;
    QLabel* version_ = nullptr;
    TLinkLabel* email_ = nullptr;
    TLinkLabel* web_ = nullptr;
    QPushButton* ok_ = nullptr;
};

} // namespace veldo
