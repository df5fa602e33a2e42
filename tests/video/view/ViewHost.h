// A recording view in a test frame, opened through the single-document
// template as the program opens it, with the dialogs it shows answered.
#pragma once

#include "CSingleDocTemplate.h"
#include "ScopedConfig.h"
#include "TempFolder.h"
#include "VideoView.h"
#include "ViewFixtures.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

class ViewHostTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Opens the frame and view; with a device, waits for the compression
    // dialog to be filled and closed.
    void Open(bool withDevice = true);
    // Posts a click to a control of the view and pumps a little.
    void Click(int id);
    void Command(UINT id);
    // Presses a key on the keyboard (the global hot keys react to it) and pumps a little.
    void PressKey(UINT virtualKey);

    bool IsEnabled(int id) const;
    UINT StatePicture() const;  // the id of the bitmap the state picture shows
    std::string PaneText(UINT indicator) const;

    TempFolder m_temp;
    ScopedConfig m_config;
    ScopedApp m_app;
    std::string m_photos, m_videos;
    std::unique_ptr<DialogWatcher> m_watcher;
    std::unique_ptr<CSingleDocTemplate> m_template;
    CTestFrame* m_frame = nullptr;
    CVideoView* m_view = nullptr;
    bool m_compressionFilled = false;
};
