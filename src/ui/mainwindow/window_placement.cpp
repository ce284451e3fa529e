#include "ui/mainwindow/window_placement.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>

#include "platform/text.h"

namespace glmx::ui {

namespace {

int ReadInt(const settings::TRegInfoClass& desktop, const char* name,
            int minimum = std::numeric_limits<int>::min()) {
    const auto value = platform::ParseDecimalInt(desktop.GetValue(name));
    if (value && *value >= minimum) return *value;
    return platform::ParseDecimalInt(desktop.ImplicitValues().Find(name)).value_or(0);
}

// Distances in 64 bits: stored numbers may be anywhere in int's range.
std::int64_t GapBetween(std::int64_t lowA, std::int64_t highA, std::int64_t lowB,
                        std::int64_t highB) {
    if (highA <= lowB) return lowB - highA;
    if (highB <= lowA) return lowA - highB;
    return 0;
}

int PlaceWithin(std::int64_t start, std::int64_t size, int low, int high) {
    if (start + size > high) start = high - size;
    if (start < low) start = low;
    return static_cast<int>(start);
}

}  // namespace

StartPlacement RestorePlacement(settings::TRegInfoClass& desktop) {
    desktop.WriteImplicitValues();
    desktop.LoadValues();
    StartPlacement placement;
    placement.bounds.top = ReadInt(desktop, "Top");
    placement.bounds.left = ReadInt(desktop, "Left");
    placement.bounds.width = ReadInt(desktop, "Width", kMinimumWindowWidth);
    placement.bounds.height = ReadInt(desktop, "Height", kMinimumWindowHeight);
    const std::string maximized = desktop.GetValue("MaximizedWindow");
    if (maximized == "0") placement.state = WindowState::Normal;
    if (maximized == "1") placement.state = WindowState::Maximized;
    return placement;
}

void SavePlacement(settings::TRegInfoClass& desktop, WindowState state,
                   const WindowBounds& bounds) {
    if (state == WindowState::Minimized) return;
    desktop.SetValue("MaximizedWindow", state == WindowState::Maximized ? "1" : "0");
    if (state != WindowState::Normal) return;
    desktop.SetValue("Top", std::to_string(bounds.top));
    desktop.SetValue("Left", std::to_string(bounds.left));
    desktop.SetValue("Width", std::to_string(bounds.width));
    desktop.SetValue("Height", std::to_string(bounds.height));
}

WindowBounds KeepOnAMonitor(const WindowBounds& bounds, const std::vector<ScreenRect>& monitors) {
    const std::int64_t left = bounds.left, top = bounds.top;
    const std::int64_t right = left + std::max(bounds.width, 1);
    const std::int64_t bottom = top + std::max(bounds.height, 1);

    const ScreenRect* nearest = nullptr;
    double nearestDistance = std::numeric_limits<double>::infinity();
    for (const ScreenRect& monitor : monitors) {
        if (left < monitor.right && monitor.left < right && top < monitor.bottom &&
            monitor.top < bottom)
            return bounds;  // shows on this monitor
        const std::int64_t dx = GapBetween(left, right, monitor.left, monitor.right);
        const std::int64_t dy = GapBetween(top, bottom, monitor.top, monitor.bottom);
        // Gaps reach 2^33, so their squares pass 64 bits: compare in floating point,
        // which is exact for any gap a real desktop has.
        const double distance = static_cast<double>(dx) * static_cast<double>(dx) +
                                static_cast<double>(dy) * static_cast<double>(dy);
        if (distance < nearestDistance) {
            nearestDistance = distance;
            nearest = &monitor;
        }
    }
    if (!nearest) return bounds;

    WindowBounds moved = bounds;
    moved.left = PlaceWithin(left, right - left, nearest->left, nearest->right);
    moved.top = PlaceWithin(top, bottom - top, nearest->top, nearest->bottom);
    return moved;
}

}  // namespace glmx::ui
