#include "sim/net/SimNetOptions.h"

namespace mx {
namespace {
bool ParsePort(const QString& text, quint16& port) {
  bool ok = false;
  const uint value = text.toUInt(&ok);
  if (!ok || value < 1 || value > 65535)
    return false;
  port = static_cast<quint16>(value);
  return true;
}
}  // namespace

QString SimNetUsage() {
  return QStringLiteral(
      "usage: mxsim --tcp-server PORT [--rate HZ] [--flood] [--any]\n"
      "       mxsim --tcp-client HOST:PORT [--rate HZ] [--flood]\n"
      "Streams gage readings such as +0012.345 and CR, and echoes what it receives.\n"
      "  --rate HZ   readings per second (default 10)\n"
      "  --flood     send as fast as the connection takes it; prints the rate each second\n"
      "  --any       server: listen on every address instead of 127.0.0.1 only\n");
}

SimNetOptions ParseSimNetOptions(const QStringList& args) {
  SimNetOptions options;
  bool haveMode = false;
  auto fail = [&](const QString& why) {
    options.error = why;
    return options;
  };
  for (qsizetype i = 0; i < args.size(); ++i) {
    const QString& arg = args[i];
    const bool hasValue = i + 1 < args.size();
    if (arg == QLatin1String("--tcp-server") || arg == QLatin1String("--tcp-client")) {
      if (!hasValue)
        return fail(arg + QStringLiteral(" needs a value"));
      if (haveMode)
        return fail(QStringLiteral("give either --tcp-server or --tcp-client, once"));
      haveMode = true;
      const QString value = args[++i];
      if (arg == QLatin1String("--tcp-server")) {
        options.mode = SimNetOptions::Mode::Server;
        if (!ParsePort(value, options.port))
          return fail(QStringLiteral("bad port: ") + value);
      } else {
        options.mode = SimNetOptions::Mode::Client;
        const qsizetype colon = value.lastIndexOf(QLatin1Char(':'));
        if (colon <= 0 || !ParsePort(value.mid(colon + 1), options.port)) {
          return fail(QStringLiteral("expected HOST:PORT, got: ") + value);
        }
        options.host = value.left(colon);
      }
    } else if (arg == QLatin1String("--rate")) {
      if (!hasValue)
        return fail(QStringLiteral("--rate needs a value"));
      bool ok = false;
      options.rateHz = args[++i].toDouble(&ok);
      if (!ok || options.rateHz <= 0 || options.rateHz > 100000) {
        return fail(QStringLiteral("bad rate: ") + args[i]);
      }
    } else if (arg == QLatin1String("--flood")) {
      options.flood = true;
    } else if (arg == QLatin1String("--any")) {
      options.host = QStringLiteral("0.0.0.0");
    } else {
      return fail(QStringLiteral("unknown argument: ") + arg);
    }
  }
  if (!haveMode)
    return fail(QStringLiteral("give --tcp-server PORT or --tcp-client HOST:PORT"));
  return options;
}

}  // namespace mx
