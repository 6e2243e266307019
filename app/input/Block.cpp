#include "Block.h"

#include "DataEdit.h"
#include "Messages.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace veldo {

TDlgBlock::TDlgBlock(TMainForm& main) : TInputWindow(main, QStringLiteral("Critical Depths Used by US Army Method"))
{
    setObjectName(QStringLiteral("DlgBlock"));
    auto* layout = new QVBoxLayout(this);
    auto* group = new QGroupBox(QStringLiteral("User Options"), this);
    auto* options = new QVBoxLayout(group);
    const std::array<QString, 3> captions{
        QStringLiteral("Original Recommendations (10 to 20 Pile Diameter based on the Density)."),
        QStringLiteral("Critical Depth at the  Effective Stress Reaching 3500 psf or 167.6 kPa."),
        QStringLiteral("User-Specified Critical Depth")};
    for (std::size_t i = 0; i < radios_.size(); ++i) {
        radios_[i] = new QRadioButton(captions[i], group);
        radios_[i]->setObjectName(QStringLiteral("RadioButton%1").arg(i + 1));
        options->addWidget(radios_[i]);
        ConnectReportingErrors(radios_[i], &QRadioButton::clicked, this, &TDlgBlock::ShowDepth);
        MarkModifiedOn(radios_[i]);
    }

    depthLabel_ = new QLabel(group);
    TDataEditDesign depth;
    depth.UnitsString = QStringLiteral("L2");
    depth_ = new TDataEdit(group, depth, depthLabel_);
    depth_->setObjectName(QStringLiteral("DataEdit1"));
    MarkModifiedOn(depth_);
    auto* depthRow = new QHBoxLayout;
    depthRow->addSpacing(24);
    depthRow->addWidget(depth_);
    depthRow->addWidget(depthLabel_);
    depthRow->addStretch();
    options->addLayout(depthRow);
    layout->addWidget(group);

    close_ = AddCloseButton(layout);
}

int TDlgBlock::CheckedOption() const
{
    for (std::size_t i = 0; i < radios_.size(); ++i) {
        if (radios_[i]->isChecked())
            return static_cast<int>(i);
    }
    return -1;
}

void TDlgBlock::ShowDepth()
{
    const bool user = CheckedOption() == CriticalDepthOption::UserDepth;
    depth_->setVisible(user);
    depthLabel_->setVisible(user);
}

void TDlgBlock::LoadFromProject()
{
    const int option = Data().CriticalDepthOption;
    for (std::size_t i = 0; i < radios_.size(); ++i) {
        // Exclusive radios cannot be unchecked; an unknown option checks none.
        radios_[i]->setAutoExclusive(false);
        radios_[i]->setChecked(static_cast<int>(i) == option);
        radios_[i]->setAutoExclusive(true);
    }
    LoadField(*depth_, Data().UserCriticalDepth);
    ShowDepth();
}

void TDlgBlock::CommitToProject()
{
    const long double depth = depth_->GetNumber();
    // An option this window does not know (none checked) stays as it is.
    if (const int option = CheckedOption(); option >= 0)
        Data().CriticalDepthOption = option;
    Data().UserCriticalDepth = depth;
}

} // namespace veldo
