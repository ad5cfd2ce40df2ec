#pragma once
// A started program with one chart, and the list windows on it as a user reaches them.
#include <QtTest>

#include "AppFixture.h"
#include "app/COutputFrame.h"
#include "app/CommandIds.h"
#include "model/views/ListViewState.h"
#include "views/output/CListBase.h"

namespace ondrel::guitest {

struct ListFixture : AppFixture {
    ListFixture() { Start(); }

    gui::ChartSession& Session() { return *Frame().ActiveSession(); }
    CTarvekDoc& Doc() { return Session().Document(); }

    gui::COutputFrame* ActiveOutputFrame() {
        return qobject_cast<gui::COutputFrame*>(Frame().ActiveWindow());
    }
    // The list in the active window's top-left pane; null when that is no list window.
    gui::CListBase* ActiveList() {
        gui::COutputFrame* frame = ActiveOutputFrame();
        return frame != nullptr ? dynamic_cast<gui::CListBase*>(frame->TopLeftPane()) : nullptr;
    }
    // Options > List.
    gui::CListBase& OpenList() {
        Frame().Execute(gui::cmd::kOpenListView);
        gui::CListBase* list = ActiveList();
        if (list == nullptr) qFatal("Options > List opened no list window");
        return *list;
    }
    // The labels of the list's columns, left to right.
    static QStringList ColumnLabels(const ListViewState& state) {
        QStringList labels;
        for (const BlockReference& ref : state.displayedBlocks)
            labels << (ref.IsEmpty() ? QString("<empty>") : QString::fromStdString(ref.block->label));
        return labels;
    }
};

}  // namespace ondrel::guitest
