#include "About.h"

#include "Launchers.h"
#include "MainSettings.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

namespace veldo {

namespace {

// Shows an address as a link, or the placeholder (disabled) when there is none.
void ShowLink(TLinkLabel& label, const QString& address, const QString& placeholder)
{
    const bool configured = !address.isEmpty();
    label.setText(configured ? address : placeholder);
    label.setEnabled(configured);
    QFont font = label.font();
    font.setUnderline(configured);
    label.setFont(font);
    label.setCursor(configured ? Qt::PointingHandCursor : Qt::ArrowCursor);
}

} // namespace

TAboutLinks AboutLinks(const TMainSettings& settings)
{
    return {settings.Text(TAboutBox::EmailSetting), settings.Text(TAboutBox::WebSetting)};
}

TLinkLabel::TLinkLabel(QWidget* parent) : QLabel(parent) { setForegroundRole(QPalette::Link); }

void TLinkLabel::mouseReleaseEvent(QMouseEvent* event)
{
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) && OnClick)
        OnClick();
}

const QString TAboutBox::ProductName = QStringLiteral("Veldo 2015");
const QString TAboutBox::Version = QStringLiteral("2015.7.7");
const QString TAboutBox::EmailPlaceholder = QStringLiteral("[e-mail address not configured]");
const QString TAboutBox::WebPlaceholder = QStringLiteral("[web address not configured]");
const QString TAboutBox::EmailSetting = QStringLiteral("Maker E-mail");
const QString TAboutBox::WebSetting = QStringLiteral("Maker Web Site");

TAboutBox::TAboutBox(IShell& shell, TAboutLinks links, QWidget* parent)
    : QDialog(parent), shell_(shell), links_(std::move(links))
{
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("About"));
    setModal(true);

    auto* layout = new QVBoxLayout(this);
    product_ = new QLabel(ProductName, this);
    product_->setObjectName(QStringLiteral("ProductName"));
    QFont big = product_->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.5);
    product_->setFont(big);
    version_ = new QLabel(QStringLiteral("Version ") + Version, this);
    version_->setObjectName(QStringLiteral("Version"));
    layout->addWidget(product_);
    layout->addWidget(version_);

    auto* form = new QFormLayout;
    email_ = new TLinkLabel(this);
    email_->setObjectName(QStringLiteral("Label4"));
    email_->OnClick = [this] { Label4Click(); };
    ShowLink(*email_, links_.email, EmailPlaceholder);
    web_ = new TLinkLabel(this);
    web_->setObjectName(QStringLiteral("Label6"));
    web_->OnClick = [this] { Label6Click(); };
    ShowLink(*web_, links_.webSite, WebPlaceholder);
    form->addRow(QStringLiteral("E-mail:"), email_);
    form->addRow(QStringLiteral("Web site:"), web_);
    layout->addLayout(form);

    ok_ = new QPushButton(QStringLiteral("OK"), this);
    ok_->setObjectName(QStringLiteral("OKButton"));
    ok_->setDefault(true);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok_);
    buttons->addStretch();
    layout->addLayout(buttons);
}

bool TAboutBox::Label4Click()
{
    if (links_.email.isEmpty())
        return false;
    return shell_.OpenUrl(QUrl(QStringLiteral("mailto:") + links_.email), [](const QString&) {});
}

bool TAboutBox::Label6Click()
{
    if (links_.webSite.isEmpty())
        return false;
    return shell_.OpenUrl(QUrl::fromUserInput(links_.webSite), [](const QString&) {});
}

} // namespace veldo
