#include "platform/MpvLibrary.h"

#include "platform/MpvFunctions.h"

#include <dlfcn.h>

#include <QFileInfo>

#include <utility>

namespace {

// Resolves one symbol into a typed function pointer; false (with the reason) when missing.
template <typename Pointer>
bool resolve(void* library, const char* name, Pointer& target, QString& error) {
    void* const symbol = dlsym(library, name);
    if (symbol == nullptr) {
        error = QStringLiteral("%1 fehlt in der Bibliothek").arg(QLatin1String(name));
        return false;
    }
    target = reinterpret_cast<Pointer>(symbol);
    return true;
}

// The event structures read by the player must have the layout of the headers built against,
// which holds within one major version of the client API.
bool hasExpectedInterface(unsigned long found, QString& error) {
    if ((found >> 16U) == (MPV_CLIENT_API_VERSION >> 16U)) {
        return true;
    }
    error = QStringLiteral("API-Version %1.%2, erwartet %3.x")
                .arg(found >> 16U)
                .arg(found & 0xFFFFU)
                .arg(MPV_CLIENT_API_VERSION >> 16U);
    return false;
}

// Whether dlopen failed on the library itself or on something it brought along. A name with a
// slash is a path to look at. For a bare name the loader's message begins with the name it
// could not open (its wording is translated, the name is not): this name when no such library
// was found, the full path of one it found but could not load, or the name of a missing
// dependency.
bool libraryExists(const QString& soname, const QString& loaderMessage) {
    if (soname.contains(QLatin1Char('/'))) {
        return QFileInfo::exists(soname);
    }
    return !loaderMessage.startsWith(soname + QLatin1Char(':'));
}

}  // namespace

MpvLibrary::MpvLibrary(QString soname) : soname_(std::move(soname)) {}

MpvLibrary::~MpvLibrary() {
    if (preloader_.joinable()) {
        preloader_.join();
    }
    if (mpv_handle* const unused = takePreloaded()) {
        terminateDestroyLater(unused);
    }
    if (ender_.joinable()) {
        ender_.request_stop();
        ender_.join();
    }
}

bool MpvLibrary::load() {
    if (preloader_.joinable()) {
        preloader_.join();
    }
    return attempted_ ? functions_ != nullptr : open();
}

void MpvLibrary::preload(std::function<mpv_handle*(MpvLibrary&)> makeInstance) {
    if (attempted_ || preloader_.joinable()) {
        return;
    }
    useCNumbers();  // here: the thread that reads the locale must not set it
    preloader_ = std::thread([this, makeInstance = std::move(makeInstance)] {
        if (open()) {
            preloaded_ = makeInstance(*this);
        }
        QMetaObject::invokeMethod(
            &notifier_, [this] { finishPreload(); }, Qt::QueuedConnection);
    });
}

void MpvLibrary::finishPreload() {
    if (preloader_.joinable()) {
        preloader_.join();
    }
    for (auto& [context, then] : std::exchange(waitingForLoad_, {})) {
        if (context) {
            then();
        }
    }
}

void MpvLibrary::whenLoaded(QObject* context, std::function<void()> then) {
    if (preloader_.joinable()) {
        waitingForLoad_.emplace_back(context, std::move(then));
    } else {
        then();
    }
}

bool MpvLibrary::open() {
    attempted_ = true;

    void* const library = dlopen(soname_.toLocal8Bit().constData(), RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr) {
        const char* const reason = dlerror();
        errorText_ = reason != nullptr ? QString::fromLocal8Bit(reason) : soname_;
        failure_ = libraryExists(soname_, errorText_) ? EngineStatus::Failure::NotStarted
                                                      : EngineStatus::Failure::NotFound;
        return false;
    }

    auto functions = std::make_unique<MpvFunctions>();
    // The version first: a library of another interface may lack some of the entry points.
    const bool complete =
        resolve(library, "mpv_client_api_version", functions->clientApiVersion, errorText_) &&
        hasExpectedInterface(functions->clientApiVersion(), errorText_) &&
        resolve(library, "mpv_create", functions->create, errorText_) &&
        resolve(library, "mpv_initialize", functions->initialize, errorText_) &&
        resolve(library, "mpv_terminate_destroy", functions->terminateDestroy, errorText_) &&
        resolve(library, "mpv_set_option_string", functions->setOptionString, errorText_) &&
        resolve(library, "mpv_command_async", functions->commandAsync, errorText_) &&
        resolve(library, "mpv_get_property_async", functions->getPropertyAsync, errorText_) &&
        resolve(library, "mpv_set_property_async", functions->setPropertyAsync, errorText_) &&
        resolve(library, "mpv_observe_property", functions->observeProperty, errorText_) &&
        resolve(library, "mpv_wait_event", functions->waitEvent, errorText_) &&
        resolve(library, "mpv_set_wakeup_callback", functions->setWakeupCallback, errorText_);
    if (!complete) {
        failure_ = EngineStatus::Failure::WrongInterface;
        dlclose(library);  // nothing of it has been used yet
        return false;
    }

    functions_ = std::move(functions);
    return true;
}

void MpvLibrary::terminateDestroyLater(mpv_handle* handle) {
    {
        const std::scoped_lock lock(endingMutex_);
        ending_.push_back(handle);
        if (!ender_.joinable()) {
            ender_ = std::jthread([this](const std::stop_token& stop) { endInstances(stop); });
        }
    }
    endingWake_.notify_one();
}

void MpvLibrary::endInstances(const std::stop_token& stop) {
    std::unique_lock lock(endingMutex_);
    while (true) {
        endingWake_.wait(lock, stop, [this] { return !ending_.empty(); });
        if (ending_.empty()) {
            return;  // stopped with nothing left to end
        }
        mpv_handle* const handle = ending_.front();
        ending_.pop_front();
        lock.unlock();
        functions_->terminateDestroy(handle);
        lock.lock();
    }
}
