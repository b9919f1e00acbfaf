#include "app/calc_cli.h"

#include "app/calc_commands.h"
#include "app/calc_help.h"
#include "app/calc_system.h"
#include "app/calc_texts.h"
#include "app/command_line.h"
#include "config/language.h"

#include <QtGlobal>

#ifdef Q_OS_WIN
#include <fcntl.h>
#include <io.h>
#else
#include <poll.h>
#include <unistd.h>
#endif

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <streambuf>

namespace kestrix {
namespace {

// Standard input, read from its file descriptor so that a read error is
// seen: the buffer behind std::cin takes one for the end of the input, and a
// schedule would then size the row that the error cut short. The error is
// thrown, with the system's reason. Each read returns what has arrived, so a
// row typed or piped in is sized at once.
class StdinBuffer : public std::streambuf {
  public:
    explicit StdinBuffer(bool closed) : closed_(closed) {
#ifdef Q_OS_WIN
        // Bytes as they are: no CR LF translation, no end at Ctrl+Z.
        if (!closed_) _setmode(0, _O_BINARY);
#endif
    }

  protected:
    int_type underflow() override {
        if (closed_) throw std::runtime_error(std::strerror(EBADF));
        for (;;) {
#ifdef Q_OS_WIN
            const int count = _read(0, buffer_, sizeof buffer_);
#else
            const ssize_t count = ::read(0, buffer_, sizeof buffer_);
            if (count < 0 && errno == EINTR) continue;
            // An input opened without blocking has nothing yet: wait for it.
            if (count < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
                pollfd input{0, POLLIN, 0};
                if (::poll(&input, 1, -1) >= 0 || errno == EINTR) continue;
            }
#endif
            if (count < 0) throw std::runtime_error(std::strerror(errno));
            if (count == 0) return traits_type::eof();
            setg(buffer_, buffer_, buffer_ + count);
            return traits_type::to_int_type(buffer_[0]);
        }
    }

  private:
    bool closed_;
    char buffer_[65536];
};

} // namespace

int RunCalc(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
            bool standardInputClosed) {
    StdinBuffer buffer(standardInputClosed);
    std::istream in(&buffer);
    return RunCalc(args, in, out, err);
}

namespace {

int RunCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
               std::ostream& err) {
    try {
        const CommandLine cl = ParseCommandLine(args);
        if (cl.version) {
            out << CalcVersionText();
            return kExitSuccess;
        }
        if (cl.help) {
            out << CalcCommandHelpText(cl.command).value_or(CalcHelpText());
            return kExitSuccess;
        }
        // Decided once: every text of the run comes from this catalogue.
        const Language language = ChooseLanguage(cl);
        SpeakLanguage(language);
        if (cl.command == "eval") return RunEval(cl, language, out, err);
        if (cl.command == "duct") return RunDuct(cl, language, out, err);
        if (cl.command == "terminal") return RunTerminal(cl, language, out, err);
        if (cl.command == "schedule") return RunScheduleCommand(cl, language, in, out, err);
        if (cl.command == "system")
            return RunSystemCommand(cl.operands, cl.values, cl.json, language, in, out, err);
        return RunStyles(cl, language, out, err);
    } catch (const UsageError& error) {
        err << "kestrix-calc: " << error.what()
            << "\nTry 'kestrix-calc --help' for more information.\n";
        return kExitUsage;
    }
}

} // namespace

int RunCalc(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
            std::ostream& err) {
    const int status = RunCommand(args, in, out, err);
    // What was printed must have arrived: a full disk is a failure, not a
    // success with a lost schedule.
    out.flush();
    if (!out) {
        err << "kestrix-calc: the output could not be written\n";
        return status == kExitUsage ? status : kExitFailure;
    }
    return status;
}

} // namespace kestrix
