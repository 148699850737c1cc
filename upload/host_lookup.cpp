#include "upload/host_lookup.h"

#include <condition_variable>
#include <mutex>
#include <netdb.h>
#include <thread>

namespace {

constexpr std::chrono::milliseconds kCancelSlice{20};

// Shared by the caller and the lookup's thread; whichever leaves last frees it.
struct PendingLookup {
    std::mutex mutex;
    std::condition_variable done;
    bool finished = false;
    bool abandoned = false;
    int status = EAI_FAIL;
    addrinfo* found = nullptr;
};

} // namespace

void AddressListDeleter::operator()(addrinfo* list) const {
    if (list)
        ::freeaddrinfo(list);
}

HostLookup lookUpHost(const std::string& host, int port, std::chrono::milliseconds timeout,
                      const std::atomic<bool>* cancel, AddressResolver resolver) {
    if (!resolver)
        resolver = [](const char* name, const char* service, const addrinfo* hints, addrinfo** found) {
            return ::getaddrinfo(name, service, hints, found);
        };
    auto pending = std::make_shared<PendingLookup>();
    std::thread([pending, resolver = std::move(resolver), host, service = std::to_string(port)] {
        addrinfo hints{};
        hints.ai_family = AF_UNSPEC;
        hints.ai_socktype = SOCK_STREAM;
        addrinfo* found = nullptr;
        int status = resolver(host.c_str(), service.c_str(), &hints, &found);
        std::lock_guard lock(pending->mutex);
        if (pending->abandoned) {
            AddressListDeleter()(status == 0 ? found : nullptr);
            return;
        }
        pending->status = status;
        pending->found = status == 0 ? found : nullptr;
        pending->finished = true;
        pending->done.notify_one();
    }).detach();

    HostLookup result;
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    std::unique_lock lock(pending->mutex);
    while (!pending->finished) {
        const auto now = std::chrono::steady_clock::now();
        if (now >= deadline || (cancel && cancel->load())) {
            pending->abandoned = true;
            result.end = now >= deadline ? LookupEnd::TimedOut : LookupEnd::Cancelled;
            return result;
        }
        pending->done.wait_until(lock, std::min(deadline, now + kCancelSlice));
    }
    result.addresses.reset(pending->found);
    result.end = pending->status == 0 && pending->found ? LookupEnd::Found : LookupEnd::Failed;
    return result;
}
