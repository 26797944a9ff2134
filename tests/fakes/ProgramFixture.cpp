#include "fakes/ProgramFixture.h"

#include "app/Startup.h"

namespace {

// Makes a fake of type T, hands it to the program's slot and gives the test a pointer to it.
template <typename T, typename Slot>
T* handOver(Slot& slot) {
    auto made = std::make_unique<T>();
    T* const kept = made.get();
    slot = std::move(made);
    return kept;
}

}  // namespace

ProgramFixture::ProgramFixture() {
    PlatformServices services;
    desktop = handOver<FakeDesktop>(services.desktop);
    messages = handOver<FakeMessageBoxes>(services.messages);
    mixer = handOver<FakeMixer>(services.mixer);
    tray = handOver<FakeTrayIcon>(services.trayIcon);
    windows = handOver<FakeWindowSystem>(services.windows);
    services.folders = listings;
    services.makePlayer = [this]() -> std::unique_ptr<MediaPlayer> {
        if (realPlayers) {
            return realPlayers();
        }
        std::unique_ptr<MediaPlayer> player;
        players.push_back(handOver<FakePlayer>(player));
        return player;
    };
    services.makeFileDialog = [this] {
        std::unique_ptr<FileDialog> dialog;
        dialogs.push_back(handOver<FakeFileDialog>(dialog));
        return dialog;
    };
    services.prepareEngine = [this](const std::function<void(EngineStatus)>& done) {
        done(
            engineAvailable
                ? EngineStatus{}
                : EngineStatus{EngineStatus::Failure::NotFound, QStringLiteral("libmpv.so.2"), {}});
    };
    services.endProcess = [this] { ++processEnds; };
    program = std::make_unique<Program>(folder.path(), std::move(services));
}

ProgramFixture::~ProgramFixture() {
    EXPECT_EQ(listings->onGuiThread(), 0) << "a folder was listed on the GUI thread";
    listings->releaseAll();
    program.reset();
}

void ProgramFixture::writeSettings(const std::vector<QByteArray>& lines) const {
    QByteArray bytes;
    for (const QByteArray& line : lines) {
        bytes += line + "\r\n";
    }
    writeFile(QStringLiteral("settings.cfg"), bytes);
}

void ProgramFixture::writeFile(const QString& name, const QByteArray& bytes) const {
    QFile f(folder.filePath(name));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_EQ(f.write(bytes), bytes.size());
}

QByteArray ProgramFixture::readFile(const QString& name) const {
    QFile f(QDir(folder.path()).filePath(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void ProgramFixture::makeFiles(const QString& sub, const QStringList& names) const {
    ASSERT_TRUE(QDir(folder.path()).mkpath(sub));
    for (const QString& name : names) {
        QFile f(folder.filePath(sub + "/" + name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
}

void ProgramFixture::writeFolders(const QStringList& subs) const {
    QFile f(folder.filePath("folders.dat"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    for (const QString& sub : subs) {
        f.write((sub.isEmpty() ? QByteArray() : QDir(folder.path()).filePath(sub).toLocal8Bit()) +
                "\r\n");
    }
}

void ProgramFixture::start() {
    startUp(*program);
}

std::tuple<QAccessible::Role, QString, double, double, double> ProgramFixture::readOut(
    QWidget* widget) {
    QAccessibleInterface* read = QAccessible::queryAccessibleInterface(widget);
    const QAccessibleValueInterface* value = read->valueInterface();
    const auto number = [value](QVariant (QAccessibleValueInterface::*get)() const) {
        return value != nullptr ? (value->*get)().toDouble() : 0.0;
    };
    return {read->role(), read->text(QAccessible::Name),
            number(&QAccessibleValueInterface::currentValue),
            number(&QAccessibleValueInterface::minimumValue),
            number(&QAccessibleValueInterface::maximumValue)};
}

QAction* ProgramFixture::item(const char* name) const {
    QAction* const found = mainWindow().menuItem(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

QString ProgramFixture::flags(std::initializer_list<const char*> names,
                              bool (QWidget::*state)() const) const {
    QString digits;
    for (const char* name : names) {
        digits += (control(name)->*state)() ? QLatin1Char('1') : QLatin1Char('0');
    }
    return digits;
}
