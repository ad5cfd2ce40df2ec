#pragma once
// The five pages of the graph's property sheet. Each page only lays out its controls, every
// one tagged with the control id its settings item exchanges with; what the buttons do is
// the sheet's (CGraphPropertySheet), since "Clear", "Recall" and "Reset" reach other pages.
#include <QWidget>

class QListWidget;
class QPushButton;

namespace ondrel::gui {

// Control ids that belong to no settings item.
namespace graph_controls {
inline constexpr int kBlockList[4] = {1077, 1051, 1064, 1065};  // X, curves 1..3
inline constexpr int kClear[4] = {0, 1177, 1115, 1114};
inline constexpr int kColor[4] = {1073, 1066, 1068, 1069};
inline constexpr int kFixed[4] = {1086, 1081, 1118, 1109};
inline constexpr int kLow[4] = {1084, 1078, 1104, 1112};
inline constexpr int kHigh[4] = {1085, 1079, 1105, 1113};
inline constexpr int kWidth[4] = {1070, 1076, 1102, 1103};
inline constexpr int kTitle = 1204;
inline constexpr int kNotes = 1225;
inline constexpr int kNotesFont = 1095;
inline constexpr int kDisplayNotes = 1097;
inline constexpr int kLegendFont = 1075;
inline constexpr int kLabelFont = 1074;
inline constexpr int kUpdate = 1221;
inline constexpr int kRecall = 4;
inline constexpr int kReset = 5;
inline constexpr int kTitleMaxChars = 28;
}  // namespace graph_controls

class CGrafPage : public QWidget {
    Q_OBJECT
public:
    // slot: 0 the X axis, 1..3 a curve, 4 the miscellaneous page.
    CGrafPage(int slot, int helpContext, QWidget* parent);
    int Slot() const { return slot_; }
    int HelpContext() const { return helpContext_; }
    QListWidget* BlockList() const { return blockList_; }

protected:
    // Width, Low, High, Fixed, the block list and "Color" of an axis slot.
    QWidget* BuildScaleControls();
    QPushButton* AddHelpButton(int helpButtonId);

private:
    int slot_;
    int helpContext_;
    QListWidget* blockList_ = nullptr;
};

class CGrafX : public CGrafPage {
    Q_OBJECT
public:
    explicit CGrafX(QWidget* parent = nullptr);
};

// The page of curve k (1..3); the three differ in their location choices and ids.
class CGrafCurve : public CGrafPage {
    Q_OBJECT
public:
    CGrafCurve(int k, QWidget* parent);
};

class CGraf1 : public CGrafCurve {
    Q_OBJECT
public:
    explicit CGraf1(QWidget* parent = nullptr) : CGrafCurve(1, parent) {}
};
class CGraf2 : public CGrafCurve {
    Q_OBJECT
public:
    explicit CGraf2(QWidget* parent = nullptr) : CGrafCurve(2, parent) {}
};
class CGraf3 : public CGrafCurve {
    Q_OBJECT
public:
    explicit CGraf3(QWidget* parent = nullptr) : CGrafCurve(3, parent) {}
};

class CGrafMisc : public CGrafPage {
    Q_OBJECT
public:
    explicit CGrafMisc(QWidget* parent = nullptr);
};

}  // namespace ondrel::gui
