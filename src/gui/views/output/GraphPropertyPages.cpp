#include "gui/views/output/GraphPropertyPages.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/dialogs/SettingsDialogControls.h"
#include "gui/help/HelpPages.h"
#include "gui/platform/QtDialogExchange.h"

namespace ondrel::gui {

using namespace graph_controls;

CGrafPage::CGrafPage(int slot, int helpContext, QWidget* parent)
    : QWidget(parent), slot_(slot), helpContext_(helpContext) {}

QPushButton* CGrafPage::AddHelpButton(int helpButtonId) {
    QPushButton* help = MakeButton(tr("Help"), helpButtonId, this);
    const int context = helpContext_;
    connect(help, &QPushButton::clicked, this, [context] { ShowHelpContext(context); });
    return help;
}

QWidget* CGrafPage::BuildScaleControls() {
    auto* box = new QWidget(this);
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    AddLabelledEdit(grid, 0, 0, tr("Width"), kWidth[slot_]);
    AddLabelledEdit(grid, 1, 0, tr("Low"), kLow[slot_]);
    AddLabelledEdit(grid, 2, 0, tr("High"), kHigh[slot_]);
    grid->addWidget(MakeCheck(tr("Fixed"), kFixed[slot_], box), 3, 1);
    grid->addWidget(MakeButton(tr("Color"), kColor[slot_], box), 4, 1);
    blockList_ = new QListWidget(box);
    blockList_->setSelectionMode(QAbstractItemView::SingleSelection);
    SetControlId(blockList_, kBlockList[slot_]);
    grid->addWidget(new QLabel(tr("Block"), box), 0, 2);
    grid->addWidget(blockList_, 1, 2, 4, 1);
    return box;
}

CGrafX::CGrafX(QWidget* parent) : CGrafPage(0, kHelpGraphXAxis, parent) {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(MakeRadioGroup(
        tr("Grids"),
        {{tr("None"), 1229}, {tr("Horizontal"), 1237}, {tr("Vertical"), 1238}, {tr("Both"), 1239}}, true));
    layout->addWidget(BuildScaleControls());
    layout->addWidget(AddHelpButton(1231), 0, Qt::AlignRight);
}

namespace {

struct CurvePageIds {
    int help;
    int helpButton;
};
constexpr CurvePageIds kCurvePages[4] = {
    {0, 0}, {kHelpGraphCurve1, 1232}, {kHelpGraphCurve2, 1234}, {kHelpGraphCurve3, 1236}};

QGroupBox* MakeLocationGroup(int k) {
    const QString title = QObject::tr("Location");
    switch (k) {
        case 1:
            return MakeRadioGroup(title, {{QObject::tr("Left"), 1054}, {QObject::tr("Right"), 1240}}, true);
        case 2:
            return MakeRadioGroup(title,
                                  {{QObject::tr("Best Fit"), 1233},
                                   {QObject::tr("With 1"), 1241},
                                   {QObject::tr("Opposite 1"), 1242}},
                                  true);
        default:
            return MakeRadioGroup(title,
                                  {{QObject::tr("Best Fit"), 1235},
                                   {QObject::tr("With 1"), 1243},
                                   {QObject::tr("With 2"), 1244}},
                                  true);
    }
}

}  // namespace

CGrafCurve::CGrafCurve(int k, QWidget* parent) : CGrafPage(k, kCurvePages[k].help, parent) {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(MakeLocationGroup(k));
    layout->addWidget(BuildScaleControls());
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(MakeButton(tr("Clear"), kClear[k], this));
    buttons->addStretch();
    buttons->addWidget(AddHelpButton(kCurvePages[k].helpButton));
    layout->addLayout(buttons);
}

CGrafMisc::CGrafMisc(QWidget* parent) : CGrafPage(4, kHelpGraphMisc, parent) {
    auto* grid = new QGridLayout(this);
    AddLabelledEdit(grid, 0, 0, tr("Title"), kTitle);
    auto* notes = new QGroupBox(tr("Notes"), this);
    auto* notesGrid = new QGridLayout(notes);
    auto* notesText = new QPlainTextEdit(notes);
    SetControlId(notesText, kNotes);
    notesGrid->addWidget(notesText, 0, 0, 1, 2);
    notesGrid->addWidget(MakeButton(tr("Font"), kNotesFont, notes), 1, 0);
    notesGrid->addWidget(MakeCheck(tr("Display"), kDisplayNotes, notes), 1, 1);
    grid->addWidget(notes, 1, 0, 1, 2);
    auto* buttons = new QHBoxLayout;
    for (auto [text, id] : {std::pair{tr("Legend Font"), kLegendFont},
                            {tr("Label Font"), kLabelFont},
                            {tr("Update"), kUpdate},
                            {tr("Recall"), kRecall},
                            {tr("Reset"), kReset}})
        buttons->addWidget(MakeButton(text, id, this));
    buttons->addWidget(AddHelpButton(1207));
    grid->addLayout(buttons, 2, 0, 1, 2);
}

}  // namespace ondrel::gui
