#include "gui/help/HelpPages.h"

#include <map>

// Outside any namespace, as the resource system needs.
static void InitOndrelHelpResource() { Q_INIT_RESOURCE(help); }

namespace ondrel::gui {

void InitHelpResources() { InitOndrelHelpResource(); }

QUrl HelpPageFor(int context) {
    static const std::map<int, const char*> kPages{
        {kHelpChartView, "chart.html"},      {kHelpGraphView, "graph.html"},
        {kHelpListView, "list.html"},        {kHelpListProperties, "listprops.html"},
        {kHelpChartViewing, "viewing.html"}, {kHelpTextView, "text.html"},
        {kHelpTextOptions, "textoptions.html"}, {kHelpSnapshot, "snapshot.html"},
        {kHelpAbout, "about.html"},
        {kHelpGraphXAxis, "graphprops.html"},  {kHelpGraphCurve1, "graphprops.html"},
        {kHelpGraphCurve2, "graphprops.html"}, {kHelpGraphCurve3, "graphprops.html"},
        {kHelpGraphMisc, "graphprops.html"},
    };
    const char* page = "index.html";
    if (context >= kBlockHelpBase && context < 2 * kBlockHelpBase) {
        page = "blocks.html";
    } else if (auto it = kPages.find(context); it != kPages.end()) {
        page = it->second;
    }
    return QUrl(QStringLiteral("qrc:/help/") + QString::fromLatin1(page));
}

}  // namespace ondrel::gui
