#pragma once
// A started program with one chart holding recorded samples (time, a sine, a ramp and a
// cosine), and a graph window on it as a user opens it.
#include <QImage>
#include <QPainter>
#include <QtTest>
#include <cmath>

#include "AppFixture.h"
#include "gui/app/COutputFrame.h"
#include "gui/app/CommandIds.h"
#include "core/blocks/BlockTypeIds.h"
#include "core/io/CArchive.h"
#include "core/model/views/GraphViewState.h"
#include "gui/views/output/CGraphBase.h"

namespace ondrel::guitest {

struct GraphFixture : AppFixture {
    static constexpr int kSamples = 201;

    GraphFixture() {
        Start();
        CTarvekDoc& doc = Doc();
        const int types[] = {kTypeSum, kTypeMultiply, kTypeNegate};
        const char* labels[] = {"Sine", "Ramp", "Cosine"};
        for (int i = 0; i < 3; ++i) {
            doc.PlaceBlock(doc.CreateBlock(types[i]), 2 + i, 2);
            blocks[i] = doc.blockList.back().get();
            blocks[i]->label = labels[i];
        }
        for (int j = 0; j < kSamples; ++j) {
            const double t = j * 0.05;
            doc.Clock()->history.push_back(t);
            blocks[0]->history.push_back(std::sin(t));
            blocks[1]->history.push_back(t * 2);
            blocks[2]->history.push_back(std::cos(t));
        }
        Frame().Execute(gui::cmd::kOpenGraphView);
        auto* frame = qobject_cast<gui::COutputFrame*>(Frame().ActiveWindow());
        graph = frame != nullptr ? dynamic_cast<gui::CGraphBase*>(frame->TopLeftPane()) : nullptr;
        if (graph == nullptr) qFatal("Options > Graph opened no graph window");
        frame->resize(640, 480);
        Flush();
    }

    gui::ChartSession& Session() { return *Frame().ActiveSession(); }
    CTarvekDoc& Doc() { return Frame().ActiveSession()->Document(); }
    GraphViewState& State() { return graph->Graph(); }

    // Curves 1..count show the sine, the ramp and the cosine against time.
    void ShowCurves(int count) {
        for (int k = 1; k <= 3; ++k) State().axisSlots[k].block.Set(k <= count ? blocks[k - 1] : nullptr);
        State().curveCount = count;
        Doc().UpdateAllViews(nullptr);
    }

    // The graph drawn as the window draws it.
    QImage Render() {
        QImage image(graph->viewport()->size(), QImage::Format_RGB32);
        QPainter painter(&image);
        graph->Paint(painter, image.rect(), 96.0);
        return image;
    }

    std::vector<std::uint8_t> Record() {
        CArchive ar = CArchive::ForWriting();
        State().Serialize(ar, Doc());
        return ar.Buffer();
    }

    // Pixels of exactly this colour inside (or outside) rect.
    static int CountColour(const QImage& image, const QRect& rect, QRgb colour) {
        int n = 0;
        const QRect r = rect.intersected(image.rect());
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                n += (image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF);
        return n;
    }

    gui::CGraphBase* graph = nullptr;
    CBlock* blocks[3] = {};
};

}  // namespace ondrel::guitest
