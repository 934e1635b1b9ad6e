#include "run_application.hpp"

#include <charconv>
#include <cstdlib>
#include <exception>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "offscreen_backend.hpp"
#include "replay_script.hpp"
#include "tev/application.hpp"
#include "tev/runtime_error.hpp"
#include "tev/tev_crt.hpp"
#include "tev/version.hpp"
#ifdef TEV_HAVE_WINDOW_BACKEND
#include "sdl_backend.hpp"
#endif

namespace tev {

namespace {

#ifdef TEV_HAVE_WINDOW_BACKEND
constexpr std::string_view kDefaultPlatform = "window";
#else
constexpr std::string_view kDefaultPlatform = "offscreen";
#endif

struct Options {
    std::string platform{kDefaultPlatform};
    std::optional<std::string> replay;
    std::optional<std::string> screenshot;
    int scale = 1;
    bool help = false;
    bool version = false;
};

class UsageError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

std::string programName(const char* argv0) {
    std::string_view name = argv0 != nullptr ? argv0 : "program";
    if (const auto slash = name.rfind('/'); slash != std::string_view::npos) {
        name.remove_prefix(slash + 1);
    }
    return std::string(name.empty() ? "program" : name);
}

Options parseOptions(int argc, const char* const* argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        std::string_view argument = argv[i];
        std::optional<std::string_view> inlineValue;
        if (const auto equals = argument.find('=');
            argument.starts_with("--") && equals != std::string_view::npos) {
            inlineValue = argument.substr(equals + 1);
            argument = argument.substr(0, equals);
        }
        auto value = [&]() -> std::string {
            if (inlineValue)
                return std::string(*inlineValue);
            if (i + 1 >= argc)
                throw UsageError("option " + std::string(argument) + " needs a value");
            return argv[++i];
        };
        if (argument == "--help" || argument == "-h") {
            options.help = true;
        } else if (argument == "--version") {
            options.version = true;
        } else if (argument == "--platform") {
            options.platform = value();
            if (options.platform != "offscreen" && options.platform != "window") {
                throw UsageError("unknown platform \"" + options.platform +
                                 "\" (expected offscreen or window)");
            }
        } else if (argument == "--replay") {
            options.replay = value();
        } else if (argument == "--screenshot") {
            options.screenshot = value();
        } else if (argument == "--scale") {
            const std::string text = value();
            int scale = 0;
            const auto [end, error] =
                std::from_chars(text.data(), text.data() + text.size(), scale);
            if (error != std::errc() || end != text.data() + text.size() || scale < 1 ||
                scale > 8) {
                throw UsageError("--scale takes a whole number from 1 to 8, got \"" + text + "\"");
            }
            options.scale = scale;
        } else {
            throw UsageError("unknown option \"" + std::string(argv[i]) + "\"");
        }
    }
    return options;
}

void printHelp(const std::string& name) {
    std::cout
        << "Usage: " << name << " [options]\n\n"
        << "Options:\n"
        << "  --platform offscreen|window  where the window shows (default: " << kDefaultPlatform
        << ");\n"
        << "                               offscreen needs no display\n"
        << "  --replay FILE                play the user's actions from FILE, one a line:\n"
        << "                               press|move|release|click X Y, close, screenshot PATH\n"
        << "                               (X, Y in window pixels from the top-left corner)\n"
        << "  --screenshot FILE.png        save the window as it is when the program ends\n"
        << "  --scale N                    enlarge the window N times (1 to 8)\n"
        << "  --version                    print the version and exit\n"
        << "  --help                       print this help and exit\n";
}

std::unique_ptr<Backend> makeBackend(const Options& options, const std::string& name) {
    if (options.platform == "offscreen") {
        auto backend = std::make_unique<OffscreenBackend>(options.scale);
        if (options.replay) {
            loadReplayFile(*options.replay, *backend);
        }
        return backend;
    }
    if (options.replay) {
        throw UsageError("--replay needs --platform offscreen");
    }
#ifdef TEV_HAVE_WINDOW_BACKEND
    return makeWindowBackend(name, options.scale);
#else
    (void)name;
    throw UsageError("this build has no window backend; run with --platform offscreen");
#endif
}

// Errors that escape where no handler can catch them (a destructor, a noexcept function)
// still end the program with one clear line and status 1, never with an abort.
[[noreturn]] void reportUnhandled() {
    std::string message = "unknown error";
    if (const std::exception_ptr error = std::current_exception()) {
        try {
            std::rethrow_exception(error);
        } catch (const std::exception& e) {
            message = e.what();
        } catch (...) {
        }
    }
    std::cerr << "error: " << message << std::endl;
    std::_Exit(1);
}

}  // namespace

int runApplication(int argc, const char* const* argv, const std::function<void()>& mainProcedure) {
    const std::string name = programName(argc > 0 ? argv[0] : nullptr);
    std::set_terminate(reportUnhandled);
    std::unique_ptr<Backend> backend;
    Options options;
    try {
        options = parseOptions(argc, argv);
        if (options.help) {
            printHelp(name);
            return 0;
        }
        if (options.version) {
            std::cout << name << " " << Version << "\n";
            return 0;
        }
        backend = makeBackend(options, name);
    } catch (const UsageError& e) {
        std::cerr << name << ": " << e.what() << " (see --help)\n";
        return 2;
    } catch (const ReplayError& e) {
        std::cerr << name << ": " << e.what() << "\n";
        return 2;
    } catch (const DisplayError& e) {
        std::cerr << name << ": " << e.what() << "\n";
        return 2;
    }

    // The default error handler: any runtime error, from the platform or from program code,
    // ends the program with one line on stderr and status 1.
    try {
        Application application(name, std::move(backend));
        if (options.screenshot) {
            application.setExitScreenshot(*options.screenshot, options.scale);
        }
        mainProcedure();
        application.takeExitScreenshot();
        return 0;
    } catch (const DisplayError& e) {
        std::cerr << name << ": " << e.what() << "\n";
        return 2;
    } catch (const std::exception& e) {
        std::cerr << name << ": error: " << e.what() << "\n";
        return 1;
    } catch (...) {
        std::cerr << name << ": error: unknown error\n";
        return 1;
    }
}

}  // namespace tev
