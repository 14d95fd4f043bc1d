#pragma once

// The one shape of long work in the program:
//
//   XxxResult runXxx(const XxxInputs& inputs, Progress& progress, const StopToken& stop);
//
// A job reads only its inputs (copied or borrowed for the length of the call), reports through
// `progress` from the thread that called it, polls `stop` where it gives way, and returns a
// result that says how it ended: done, stopped (keeping whatever a stop keeps, for instance
// the best system found so far) or failed (with a description). A stop is an outcome, not an
// error. A job never resets or sets its caller's stop request, and never touches AppState or a
// window: whoever started it applies the result.

#include <atomic>
#include <cstdint>
#include <exception>
#include <new>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>

#include "core/errors.h"

namespace kombitron {

// The stop request of whoever runs a job (a stop button, Ctrl-C, a test). Thread-safe.
class StopFlag {
public:
    void request() { flag_.store(true, std::memory_order_relaxed); }
    void reset() { flag_.store(false, std::memory_order_relaxed); }
    bool requested() const { return flag_.load(std::memory_order_relaxed); }

private:
    std::atomic<bool> flag_{false};
};

// What a job sees of a stop request: it can read it, never change it. A default token never
// asks for a stop.
class StopToken {
public:
    StopToken() = default;
    StopToken(const StopFlag& flag) : flag_(&flag) {} // NOLINT: a flag passes where a token is expected

    bool stopRequested() const { return flag_ != nullptr && flag_->requested(); }

private:
    const StopFlag* flag_ = nullptr;
};

// Progress of a long job, called on the job's own thread; implementations marshal to their
// window. A job with events of its own (the reduction's cycles and improvements) takes a class
// derived from this one.
class Progress {
public:
    virtual ~Progress() = default;
    // `done` of `total` items processed (total 0 when unknown).
    virtual void report(int64_t done, int64_t total) { (void)done; (void)total; }
    // A short text naming the running step ("Fil. Sumas", "Analizando ...").
    virtual void caption(std::string_view text) { (void)text; }
};

enum class JobStatus { Done, Stopped, Failed };

// How a job ended. Job results derive from it and add what the job produced.
struct JobOutcome {
    JobStatus status = JobStatus::Done;
    std::string failure; // Failed: what went wrong, in the program's words

    bool done() const { return status == JobStatus::Done; }
    bool stopped() const { return status == JobStatus::Stopped; }
    bool failed() const { return status == JobStatus::Failed; }

    void markStopped() { status = JobStatus::Stopped; }
    void markFailed(std::string description)
    {
        status = JobStatus::Failed;
        failure = std::move(description);
    }
};

// Description of an exception caught at a job's boundary; memory exhaustion has its own words.
inline std::string describeJobException(std::exception_ptr error)
{
    try {
        if (error) std::rethrow_exception(error);
    } catch (const std::bad_alloc&) {
        return "memoria insuficiente";
    } catch (const std::system_error& e) {
        // The library's own text is English; the error number has ours.
        if (e.code().category() == std::generic_category() || e.code().category() == std::system_category())
            return describeSystemError(e.code().value());
        return e.what();
    } catch (const std::exception& e) {
        return e.what();
    } catch (...) {
    }
    return "error inesperado";
}

// Run `body(result)` and turn an exception escaping it into a failed result, so nothing escapes
// a job. `Result` derives from JobOutcome.
template <class Result, class Body>
Result guardJob(Body&& body)
{
    Result result;
    try {
        body(result);
    } catch (...) {
        result.markFailed(describeJobException(std::current_exception()));
    }
    return result;
}

} // namespace kombitron
