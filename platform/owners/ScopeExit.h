// TScopeExit: runs a clean-up when its scope ends, however it ends. On a normal
// exit a clean-up that throws passes its exception on, as code written after
// the block would; while another exception unwinds, the clean-up's own failure
// is dropped so that the first exception is the one that arrives.
#pragma once

#include <exception>
#include <utility>

template <typename Cleanup>
class TScopeExit {
public:
    explicit TScopeExit(Cleanup cleanup) : cleanup_(std::move(cleanup)), exceptions_(std::uncaught_exceptions()) {}
    TScopeExit(const TScopeExit&) = delete;
    TScopeExit& operator=(const TScopeExit&) = delete;
    ~TScopeExit() noexcept(false)
    {
        if (std::uncaught_exceptions() == exceptions_) {
            cleanup_();
            return;
        }
        try {
            cleanup_();
        } catch (...) {
        }
    }

private:
    Cleanup cleanup_;
    int exceptions_;
};
