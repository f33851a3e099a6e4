#pragma once

#include <QRegion>
#include <vector>

#include "platform/window_system.h"

namespace quillet::testing {

// Records what the window asks of the window system; `accept` decides whether it lets the
// window system's own move and resize loops start, `compositor` whether it behaves as
// Wayland does (the mask limits input only, and windows are placed by the compositor).
class FakeWindowSystem final : public platform::WindowSystem {
public:
    struct Start {
        bool move;
        Qt::Edges edges;
        bool operator==(const Start&) const = default;
    };

    void SetShape(QWidget&, const QRegion& shape) override { shapes.push_back(shape); }
    bool MaskLimitsInputOnly() const override { return compositor; }
    bool PlacesWindowsItself() const override { return compositor; }
    bool StartSystemMove(QWidget&) override {
        starts.push_back({true, {}});
        return accept;
    }
    bool StartSystemResize(QWidget&, Qt::Edges edges) override {
        starts.push_back({false, edges});
        return accept;
    }

    bool accept = true;
    bool compositor = false;  // behave as Wayland does
    std::vector<QRegion> shapes;
    std::vector<Start> starts;
};

}  // namespace quillet::testing
