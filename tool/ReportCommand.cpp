#include "tool/ReportCommand.h"

#include <ostream>

#if MX_WITH_REPORT
#include <QGuiApplication>
#include <algorithm>
#include <cctype>
#include <memory>

#include "core/ImageOperations.h"
#include "core/PageStoreRules.h"
#include "core/SetupDocument.h"
#include "report/PageSelection.h"
#include "report/ReportJob.h"
#include "report/ReportPaper.h"
#include "report/ValueTexts.h"
#include "tool/ExitCodes.h"
#include "tool/ReportOutput.h"
#endif

namespace mx::tool {

namespace {

#if MX_WITH_REPORT

int Usage(Streams io, const std::string& problem) {
  io.err << "mxtool: " << problem << "\n" << ReportCommandUsage();
  return kUsage;
}

struct ReportArguments {
  std::string file;
  std::string model;
  std::string pages = "global,A";
  std::string output;
  std::string paper;
  bool landscape = false;
  bool text = false;
};

// Empty when the arguments are good, else what is wrong with them.
std::string Parse(const std::vector<std::string>& args, ReportArguments& parsed) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    auto value = [&](std::string& into) {
      if (i + 1 >= args.size())
        return "option " + a + " needs a value";
      into = args[++i];
      return std::string();
    };
    std::string problem;
    if (a == "-o" || a == "--output") {
      problem = value(parsed.output);
    } else if (a == "--model" || a == "-m") {
      problem = value(parsed.model);
    } else if (a == "--pages" || a == "-p") {
      problem = value(parsed.pages);
    } else if (a == "--paper") {
      problem = value(parsed.paper);
    } else if (a == "--landscape") {
      parsed.landscape = true;
    } else if (a == "--text") {
      parsed.text = true;
    } else if (a.size() > 1 && a[0] == '-') {
      problem = "unknown option " + a;
    } else if (parsed.file.empty()) {
      parsed.file = a;
    } else {
      problem = "report takes one FILE.mxs";
    }
    if (!problem.empty())
      return problem;
  }
  if (parsed.file.empty())
    return "report needs a FILE.mxs";
  if (parsed.text == !parsed.output.empty())
    return "report needs either -o OUT.pdf or --text";
  if (!parsed.paper.empty() && !report::PaperByName(parsed.paper))
    return "unknown paper \"" + parsed.paper + "\" (A4, A5, Letter, Legal)";
  return {};
}

// "global,A,C" into a selection; empty when the list is good, else the word that is not a page.
std::string ParsePages(const std::string& list, report::PageSelection& selection) {
  selection.pages.fill(false);
  std::size_t start = 0;
  while (true) {
    const std::size_t comma = list.find(',', start);
    std::string word = list.substr(start, comma - start);
    while (!word.empty() && word.front() == ' ')
      word.erase(word.begin());
    while (!word.empty() && word.back() == ' ')
      word.pop_back();
    for (char& ch : word)
      ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    if (word == "global") {
      selection[report::PageKind::Global] = true;
    } else if (word.size() == 1 && word[0] >= 'a' && word[0] < 'a' + kChannelCount) {
      selection[report::ChannelPageKind(word[0] - 'a')] = true;
    } else {
      return "\"" + word + "\" in --pages is not a page (global, A..E)";
    }
    if (comma == std::string::npos)
      return {};
    start = comma + 1;
  }
}

// The PDF needs fonts and a paint engine, which come with a GUI application object; nothing is
// shown, so without a platform chosen it runs offscreen and needs no display.
bool EnsureGuiApplication(std::unique_ptr<QGuiApplication>& owned, Streams io) {
  if (QCoreApplication::instance()) {
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
      return true;
    io.err << "mxtool: the PDF needs a GUI application object\n";
    return false;
  }
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  // Outside a desktop session (a root shell, a build job) Qt warns that it has no runtime folder.
  // Writing a PDF never needs one, so that warning would only alarm whoever runs the script.
  static QtMessageHandler passOn = nullptr;
  passOn = qInstallMessageHandler(
      [](QtMsgType type, const QMessageLogContext& context, const QString& message) {
        if (!message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR")) && passOn)
          passOn(type, context, message);
      });
  static int argc = 1;
  static char name[] = "mxtool";
  static char* argv[] = {name, nullptr};
  owned = std::make_unique<QGuiApplication>(argc, argv);
  return true;
}

#endif

}  // namespace

bool IsReportCommand(const std::string& command) {
  return command == "report";
}

#if MX_WITH_REPORT

int RunReportCommand(const std::vector<std::string>& args, Streams io) {
  ReportArguments a;
  if (const std::string problem = Parse(args, a); !problem.empty())
    return Usage(io, problem);
  report::PageSelection selection;
  if (const std::string problem = ParsePages(a.pages, selection); !problem.empty())
    return Usage(io, problem);
  const ModelInfo* chosen = nullptr;
  if (!a.model.empty() && !(chosen = ModelByAnyName(a.model)))
    return Usage(io, "unknown model \"" + a.model + "\" (0..7, a name or an identification)");

  if (!a.output.empty() && a.output != "-") {
    if (const OutputCheck check = CheckReportOutput(a.output, a.file); check != OutputCheck::Ok) {
      io.err << "mxtool: " << a.output << ": " << OutputCheckText(check) << "\n";
      return kUsage;
    }
  }
  OpenedFile file;
  SetupDocument& document = file.document;
  if (!OpenAsTheProgramDoes(a.file, file, io))
    return kUsage;
  report::ReportJob job;
  job.image = document.Image();
  job.model = file.editor.CurrentModel();
  // The setup program prints what storing its pages makes of the file, with channel A shown as
  // after opening it.
  ApplyPageStoreRules(job.image, job.model, 0);
  if (chosen && chosen->index != job.model) {
    // What the setup program prints after the model is chosen there: the image follows the model.
    ApplyModelRules(job.image, chosen->index);
    job.model = chosen->index;
    ApplyPageStoreRules(job.image, job.model, 0);
  }
  if (!ChecksumMatches(file.asWritten))
    io.err << "mxtool: warning: " << a.file << ": " << ChecksumVerdict(file.asWritten) << "\n";
  job.fileName = document.FileName();
  job.pageKinds = report::BuildPageList(selection, job.model);
  for (const report::PageKind kind : report::kPageKinds) {
    if (selection[kind] &&
        std::find(job.pageKinds.begin(), job.pageKinds.end(), kind) == job.pageKinds.end()) {
      io.err << "mxtool: " << ModelCaption(job.model) << " has no channel "
             << report::ChannelLetter(report::ChannelOf(kind)) << "; its page is left out\n";
    }
  }
  if (job.pageKinds.empty())
    return Usage(io, "no pages to print");
  job.texts = report::TakeJobTexts();

  if (a.text) {
    io.out << report::ReportText(job);
    return kOk;
  }
  std::unique_ptr<QGuiApplication> application;
  if (!EnsureGuiApplication(application, io))
    return kUsage;
  const report::Paper paper =
      a.paper.empty() ? report::DefaultPaper() : *report::PaperByName(a.paper);
  const QPageLayout layout = report::PaperLayout(paper, a.landscape);
  if (a.output == "-") {
    const QByteArray pdf = report::ReportPdfBytes(job, layout);
    if (pdf.isEmpty()) {
      io.err << "mxtool: the PDF could not be drawn\n";
      return kUsage;
    }
    io.out.write(pdf.constData(), pdf.size());
    io.out.flush();
    return io.out ? kOk : kUsage;
  }
  const FileResult written = report::WriteReportPdf(a.output, job, layout);
  if (!written.ok) {
    io.err << "mxtool: " << written.error << "\n";
    return kUsage;
  }
  return kOk;
}

std::string ReportCommandUsage() {
  return "  mxtool report FILE.mxs [--model M] [--pages LIST] -o OUT.pdf\n"
         "                [--paper A4|A5|Letter|Legal] [--landscape]\n"
         "                                      the summary report as a PDF file (-o -: on\n"
         "                                      stdout); LIST: pages global, A..E, "
         "comma-separated\n"
         "                                      (global,A); M: the model to print for (the file's\n"
         "                                      own); the paper: the locale's (LC_PAPER), "
         "portrait;\n"
         "                                      OUT.pdf is never the input nor another kind of "
         "file\n"
         "  mxtool report FILE.mxs [--model M] [--pages LIST] --text\n"
         "                                      the same pages as plain text on stdout\n";
}

#else

int RunReportCommand(const std::vector<std::string>&, Streams io) {
  io.err << "mxtool: report is not available: this mxtool was built without Qt GUI (MX_GUI=OFF)\n";
  return kUsage;
}

std::string ReportCommandUsage() {
  return "  mxtool report ...                   (not in this build: needs the Qt GUI libraries)\n";
}

#endif

}  // namespace mx::tool
