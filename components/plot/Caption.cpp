#include "Caption.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace veldo {

TfrmGraphCaption::TfrmGraphCaption(QWidget* owner) : QDialog(owner)
{
    setWindowTitle(QStringLiteral("Graph Caption"));
    Label1 = new QLabel(QStringLiteral("Enter Graph Caption"), this);
    edtCaption = new QLineEdit(this);
    auto* group = new QGroupBox(QStringLiteral("Caption Location"), this);
    rbTop = new QRadioButton(QStringLiteral("Top"), group);
    rbBottom = new QRadioButton(QStringLiteral("Bottom"), group);
    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(rbTop);
    groupLayout->addWidget(rbBottom);
    btnOK = new QPushButton(QStringLiteral("&OK"), this);
    btnOK->setDefault(true);
    connect(btnOK, &QPushButton::clicked, this, [this] { done(QDialog::Accepted); });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(edtCaption);
    layout->addWidget(group);
    layout->addWidget(btnOK, 0, Qt::AlignHCenter);
}

} // namespace veldo
