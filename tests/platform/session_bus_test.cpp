// SPDX-License-Identifier: GPL-3.0-or-later
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <string>

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include "platform/session_bus.h"

namespace {

namespace fs = std::filesystem;

// A runtime folder of its own, optionally with a "bus" that is a socket or a plain file.
class RuntimeDir {
public:
    enum class Bus { None, Socket, File };
    explicit RuntimeDir(Bus bus) {
        std::string pattern = (fs::temp_directory_path() / "runnelex-runtime-XXXXXX").string();
        path_ = ::mkdtemp(pattern.data());
        const std::string busPath = path_ + "/bus";
        if (bus == Bus::File) {
            std::ofstream(busPath) << "not a socket";
        } else if (bus == Bus::Socket) {
            fd_ = ::socket(AF_UNIX, SOCK_STREAM, 0);
            sockaddr_un addr{};
            addr.sun_family = AF_UNIX;
            busPath.copy(addr.sun_path, sizeof addr.sun_path - 1);
            ::bind(fd_, reinterpret_cast<const sockaddr*>(&addr), sizeof addr);
        }
    }
    ~RuntimeDir() {
        if (fd_ >= 0)
            ::close(fd_);
        fs::remove_all(path_);
    }
    const char* path() const { return path_.c_str(); }

private:
    std::string path_;
    int fd_ = -1;
};

struct Case {
    const char* name;
    const char* address;
    RuntimeDir::Bus bus;
    bool withRuntimeDir;
    bool reachable;
};

void PrintTo(const Case& c, std::ostream* os) {
    *os << c.name;
}

class SessionBusTest : public testing::TestWithParam<Case> {};

TEST_P(SessionBusTest, ReachableOnlyWithAnAddressOrTheUsersSocket) {
    const Case& c = GetParam();
    const RuntimeDir dir(c.bus);
    EXPECT_EQ(runnelex::session_bus::reachable(c.address, c.withRuntimeDir ? dir.path() : nullptr),
              c.reachable);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SessionBusTest,
    testing::Values(Case{"address", "unix:path=/run/user/1000/bus", RuntimeDir::Bus::None, true,
                         true},
                    Case{"socket", nullptr, RuntimeDir::Bus::Socket, true, true},
                    Case{"socketEmptyAddress", "", RuntimeDir::Bus::Socket, true, true},
                    Case{"nothing", nullptr, RuntimeDir::Bus::None, true, false},
                    Case{"plainFile", "", RuntimeDir::Bus::File, true, false},
                    Case{"noRuntimeDir", nullptr, RuntimeDir::Bus::None, false, false}),
    [](const testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

// The process is pointed at no bus only when none can be reached; a bus in use stays.
TEST(SessionBus, NoAutolaunchKeepsABusThatExists) {
    const RuntimeDir empty(RuntimeDir::Bus::None);
    ::setenv("XDG_RUNTIME_DIR", empty.path(), 1);
    ::setenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/tmp/some-bus", 1);
    runnelex::session_bus::noAutolaunch();
    EXPECT_STREQ(std::getenv("DBUS_SESSION_BUS_ADDRESS"), "unix:path=/tmp/some-bus");

    ::unsetenv("DBUS_SESSION_BUS_ADDRESS");
    runnelex::session_bus::noAutolaunch();
    EXPECT_STREQ(std::getenv("DBUS_SESSION_BUS_ADDRESS"), "disabled:");

    const RuntimeDir withBus(RuntimeDir::Bus::Socket);
    ::setenv("XDG_RUNTIME_DIR", withBus.path(), 1);
    ::unsetenv("DBUS_SESSION_BUS_ADDRESS");
    runnelex::session_bus::noAutolaunch();
    EXPECT_EQ(std::getenv("DBUS_SESSION_BUS_ADDRESS"), nullptr);
}

} // namespace
