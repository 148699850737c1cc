// Looking up the server's name: what is found, and a lookup that does not
// answer given up at the time-out or for the cancel flag.
#include "upload/host_lookup.h"

#include <future>
#include <gtest/gtest.h>
#include <netdb.h>
#include <thread>

namespace {

using namespace std::chrono_literals;

// A lookup that answers only when released, as a name server that is slow
// or out of reach would; it then fails as such a lookup does.
struct StuckResolver {
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    std::shared_ptr<std::atomic<bool>> returned = std::make_shared<std::atomic<bool>>(false);

    AddressResolver resolver() {
        return [released = released, returned = returned](const char*, const char*, const addrinfo*, addrinfo**) {
            released.wait();
            returned->store(true);
            return EAI_AGAIN;
        };
    }
    // Lets the abandoned lookup end before the test does.
    ~StuckResolver() {
        release.set_value();
        while (!returned->load())
            std::this_thread::sleep_for(1ms);
    }
};

TEST(HostLookup, FindsAnAddressOrFails) {
    HostLookup found = lookUpHost("127.0.0.1", 21, 5s, nullptr);
    ASSERT_EQ(found.end, LookupEnd::Found);
    ASSERT_NE(found.addresses, nullptr);
    EXPECT_EQ(found.addresses->ai_socktype, SOCK_STREAM);

    auto noSuchName = [](const char*, const char*, const addrinfo*, addrinfo**) { return EAI_NONAME; };
    HostLookup missing = lookUpHost("no.such.host", 21, 5s, nullptr, noSuchName);
    EXPECT_EQ(missing.end, LookupEnd::Failed);
    EXPECT_EQ(missing.addresses, nullptr);
}

TEST(HostLookup, AnUnansweredLookupEndsAtTheTimeOut) {
    StuckResolver stuck;
    auto started = std::chrono::steady_clock::now();
    HostLookup lookup = lookUpHost("slow.example", 21, 100ms, nullptr, stuck.resolver());
    EXPECT_EQ(lookup.end, LookupEnd::TimedOut);
    EXPECT_LT(std::chrono::steady_clock::now() - started, 10s) << "the wait ended without the lookup";
}

TEST(HostLookup, AnUnansweredLookupEndsForTheCancelFlag) {
    StuckResolver stuck;
    std::atomic<bool> cancel{false};
    std::thread canceller([&cancel] {
        std::this_thread::sleep_for(50ms);
        cancel = true;
    });
    HostLookup lookup = lookUpHost("slow.example", 21, 60s, &cancel, stuck.resolver());
    canceller.join();
    EXPECT_EQ(lookup.end, LookupEnd::Cancelled);
    EXPECT_EQ(lookup.addresses, nullptr);
}

} // namespace
