#pragma once
// Looks a host name up without a wait that cannot end: the system's lookup
// runs on a thread of its own, and the caller stops waiting for it at the
// time-out or within a fraction of a second of the cancel flag being set.
// An abandoned lookup finishes on its own thread and frees what it found.
#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <string>

struct addrinfo;

struct AddressListDeleter {
    void operator()(addrinfo* list) const;
};
using AddressList = std::unique_ptr<addrinfo, AddressListDeleter>;

enum class LookupEnd { Found, Failed, TimedOut, Cancelled };

struct HostLookup {
    LookupEnd end = LookupEnd::Failed;
    AddressList addresses;
};

// The system's lookup, or a stand-in with its signature (tests).
using AddressResolver = std::function<int(const char* host, const char* service, const addrinfo* hints, addrinfo** found)>;

// Stream-socket addresses of host and port.
HostLookup lookUpHost(const std::string& host, int port, std::chrono::milliseconds timeout,
                      const std::atomic<bool>* cancel, AddressResolver resolver = {});
