// Finding the visible top-level windows of a process or a thread by class and
// title, and reading a window's text, as a test looks for dialogs and boxes.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The visible top-level windows of the process (or thread) whose class is
// `className` (any class when null; compared ignoring case, as the system
// compares class names) and whose text is `title` (any text when null).
std::vector<HWND> ProcessWindows(DWORD processId, const char* className = nullptr, const char* title = nullptr);
std::vector<HWND> ThreadWindows(DWORD threadId, const char* className = nullptr, const char* title = nullptr);

std::string WindowText(HWND window);
