// SPDX-License-Identifier: GPL-3.0-or-later
// The GUI tests' entry point: one QApplication for all tests, on the offscreen platform unless
// the environment asks for another (a real X display under xvfb, say).
#include <gtest/gtest.h>

#include <QApplication>
#include <QPalette>
#include <QStyleFactory>

#include "shell/ui/qt_job_poster.h"

namespace {

// A dark desktop as Fusion draws one, for pictures that check everything stays readable on it:
// TAMBLOR_SCREENSHOT_PALETTE=dark.
void UseDarkPalette() {
    QApplication::setStyle(QStyleFactory::create("Fusion"));
    QPalette dark;
    const QColor window(0x35, 0x35, 0x35);
    const QColor base(0x24, 0x24, 0x24);
    const QColor text(0xE6, 0xE6, 0xE6);
    const QColor disabledText(0x80, 0x80, 0x80);
    dark.setColor(QPalette::Window, window);
    dark.setColor(QPalette::WindowText, text);
    dark.setColor(QPalette::Base, base);
    dark.setColor(QPalette::AlternateBase, window);
    dark.setColor(QPalette::ToolTipBase, base);
    dark.setColor(QPalette::ToolTipText, text);
    dark.setColor(QPalette::PlaceholderText, disabledText);
    dark.setColor(QPalette::Text, text);
    dark.setColor(QPalette::Button, window);
    dark.setColor(QPalette::ButtonText, text);
    dark.setColor(QPalette::BrightText, Qt::red);
    dark.setColor(QPalette::Light, QColor(0x50, 0x50, 0x50));
    dark.setColor(QPalette::Midlight, QColor(0x42, 0x42, 0x42));
    dark.setColor(QPalette::Mid, QColor(0x2A, 0x2A, 0x2A));
    dark.setColor(QPalette::Dark, QColor(0x1E, 0x1E, 0x1E));
    dark.setColor(QPalette::Shadow, QColor(0x14, 0x14, 0x14));
    dark.setColor(QPalette::Link, QColor(0x5A, 0xA8, 0xF0));
    dark.setColor(QPalette::Highlight, QColor(0x3D, 0xAE, 0xE9));
    dark.setColor(QPalette::HighlightedText, QColor(0x10, 0x10, 0x10));
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
        dark.setColor(QPalette::Disabled, role, disabledText);
    }
    QApplication::setPalette(dark);
}

}  // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    CQtJobPoster jobPoster;
    if (qEnvironmentVariable("TAMBLOR_SCREENSHOT_PALETTE") == "dark") {
        UseDarkPalette();
    }
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
