#pragma once
// A started program with one chart, and the list windows on it as a user reaches them.
#include <QtTest>

#include <QApplication>

#include "AppFixture.h"
#include "core/model/edits/ChartCommand.h"
#include "gui/app/COutputFrame.h"
#include "gui/app/CommandIds.h"
#include "core/model/views/ListViewState.h"
#include "gui/views/output/CListBase.h"

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
    // Places sine wave generators labelled K1..Kn, each with its own frequency, down grid column 2.
    std::vector<CBlock*> AddConstants(int n) {
        std::vector<CBlock*> blocks;
        for (int i = 1; i <= n; ++i) {
            std::unique_ptr<CBlock> block = Doc().CreateBlock(kGeneratorType);
            block->label = "K" + std::to_string(i);
            block->param[1] = 0.5 * i;
            blocks.push_back(block.get());
            Session().Perform(MakePlaceCommand(std::move(block), GridPoint{2, i}));
        }
        return blocks;
    }
    // Sizes the active window so that the list's viewport is about width x height.
    void SizeListViewport(gui::CListBase& list, int width, int height) {
        QWidget* frame = Frame().ActiveWindow();
        for (int i = 0; i < 3; ++i) {
            frame->resize(frame->width() + width - list.viewport()->width(),
                          frame->height() + height - list.viewport()->height());
            QApplication::processEvents();
        }
    }
    static constexpr int kGeneratorType = 61611;

    // The labels of the list's columns, left to right.
    static QStringList ColumnLabels(const ListViewState& state) {
        QStringList labels;
        for (const BlockReference& ref : state.displayedBlocks)
            labels << (ref.IsEmpty() ? QString("<empty>") : QString::fromStdString(ref.block->label));
        return labels;
    }
};

}  // namespace ondrel::guitest
