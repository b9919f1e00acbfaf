// The built kestrix-calc program itself: exit statuses and standard output as
// a script sees them, and the default language taken from the system locale.

#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace {

struct ProcessResult {
    int status = -1;
    std::string out;
    std::string err;
};

ProcessResult RunProgram(const QStringList& args, const QString& locale = QStringLiteral("C"),
                         const QProcessEnvironment& extra = {}) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("LANG"));
    env.remove(QStringLiteral("LANGUAGE"));
    env.insert(QStringLiteral("LC_ALL"), locale);
    env.insert(extra);
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(KESTRIX_CALC_PATH), args);
    if (!process.waitForFinished(30000)) return {};
    if (process.exitStatus() != QProcess::NormalExit) return {};
    return {process.exitCode(), process.readAllStandardOutput().toStdString(),
            process.readAllStandardError().toStdString()};
}

TEST(CalcProgram, ExitStatusesAndOutput) {
    ProcessResult r = RunProgram({"eval", "a = 850", "a*2", "--", "-2^2"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "850\n1700\n-4\n");

    r = RunProgram({"--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out.rfind("Usage: kestrix-calc ", 0), 0u);

    // The version of the project, also asked for after a command.
    for (const QStringList& args : {QStringList{"--version"}, QStringList{"duct", "-V"}}) {
        r = RunProgram(args);
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.out, "kestrix-calc " KESTRIX_PROJECT_VERSION "\n");
    }

    r = RunProgram({"duct", "--bogus", "1000"});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("--bogus"), std::string::npos);

    r = RunProgram({"eval", "1e200*1e200"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "浮動小数点数のオーバーフロー\n");

    r = RunProgram({"terminal", "--json", "--lang", "en", "--free-area", "70", "--face-velocity",
                    "3.0", "--width", "400", "--height", "350", "1000"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, R"({"flow":"1000","free_area":"70","face_velocity":"2.83",)"
                     R"("reference_flow":"1058"})"
                     "\n");
}

#ifndef Q_OS_WIN // Windows takes the language from the system's locale, not from LANG
TEST(CalcProgram, WithoutLangTheSystemLanguageDecides) {
    const QStringList args = {"duct",   "--json", "--roughness", "0.18", "--velocity", "8",
                              "--loss", "0.1",    "--width",     "283",  "1000"};
    ProcessResult r = RunProgram(args, QStringLiteral("ja_JP.UTF-8"));
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("\"283φ\""), std::string::npos) << r.out;
    r = RunProgram(args, QStringLiteral("en_US.UTF-8"));
    EXPECT_NE(r.out.find("\"283Φ\""), std::string::npos) << r.out;
}
#endif

#ifdef Q_OS_LINUX
// A library lying in the folder the program is started from must never be
// loaded in place of the system's: every place the loader tries is absolute.
TEST(CalcProgram, LoaderNeverSearchesTheWorkingDirectory) {
    QProcessEnvironment debug;
    debug.insert(QStringLiteral("LD_DEBUG"), QStringLiteral("libs"));
    const ProcessResult r = RunProgram({"eval", "1+1"}, QStringLiteral("C"), debug);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "2\n");
    int tried = 0;
    std::istringstream lines(r.err);
    for (std::string line; std::getline(lines, line);) {
        const std::size_t at = line.find("trying file=");
        if (at == std::string::npos) continue;
        ++tried;
        EXPECT_EQ(line.compare(at + 12, 1, "/"), 0) << line;
    }
    // The loader did report its search, so the check above saw something.
    EXPECT_GT(tried, 0) << r.err;
}
#endif

} // namespace
