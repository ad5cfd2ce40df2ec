#pragma once
// The Debugging Settings dialog: one check box, "CONNECT", that switches the display of the
// candidate paths while connectors are routed.
#include <QDialog>
#include <optional>

namespace ondrel {
class CTarvekDoc;
}

namespace ondrel::gui {

class CDebugDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kConnect = 1016;

    CDebugDlg(int connectorDebug, QWidget* parent = nullptr);
    // The state of the check box: 0 or 1.
    int ConnectorDebug() const;
};

// Runs the dialog modally; the new flag on OK, nothing on Cancel.
std::optional<int> RunDebugSettings(int connectorDebug, QWidget* parent);

// The debugging command (155) of a chart document: on OK the document's connector debug flag
// takes the check box state. A display preference, not a change of the chart.
void OnDebugSettings(ondrel::CTarvekDoc& doc, QWidget* parent);

}  // namespace ondrel::gui
