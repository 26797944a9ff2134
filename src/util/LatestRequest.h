#pragma once

#include <QObject>

#include <memory>
#include <mutex>
#include <stop_token>
#include <thread>
#include <utility>

// Runs requests that may wait for long (a listing on a slow or dead mount) on threads of their
// own, and hands the result of the newest one back on the GUI thread. A newer request
// supersedes the older ones, and drop() or the end of this object drops them all: they are
// asked to stop and their results are thrown away. A request that never returns holds only
// its own thread.
class LatestRequest : public QObject {
    Q_OBJECT
public:
    explicit LatestRequest(QObject* parent = nullptr);
    ~LatestRequest() override;
    LatestRequest(const LatestRequest&) = delete;
    LatestRequest& operator=(const LatestRequest&) = delete;

    // Runs job(std::stop_token) off the GUI thread, then, unless it was superseded or dropped
    // meanwhile, deliver(result) on the GUI thread.
    template <typename Job, typename Deliver>
    void start(Job job, Deliver deliver);
    void drop();
    // A request is under way whose result has not come back yet.
    bool busy() const { return busy_; }

signals:
    void busyChanged(bool busy);

private:
    // Where a finished request posts its result; nobody once this object has gone.
    struct Mailbox {
        explicit Mailbox(LatestRequest* r) : receiver(r) {}
        std::mutex mutex;
        LatestRequest* receiver;
    };

    // Asks the requests under way to stop and makes their results stale.
    void supersede();

    // True when the request is the newest one; it is then no longer under way.
    bool arrived(quint64 request);
    void setBusy(bool busy);

    std::shared_ptr<Mailbox> mailbox_;
    std::stop_source stop_;
    quint64 latest_ = 0;
    bool busy_ = false;
};

template <typename Job, typename Deliver>
void LatestRequest::start(Job job, Deliver deliver) {
    supersede();
    const quint64 request = latest_;
    setBusy(true);
    std::thread([mailbox = mailbox_, stop = stop_.get_token(), request, job = std::move(job),
                 deliver = std::move(deliver)]() mutable {
        auto result = job(stop);
        const std::lock_guard lock(mailbox->mutex);
        if (mailbox->receiver == nullptr) {
            return;
        }
        // Posted to the receiver: should it go before the call runs, the call goes with it.
        QMetaObject::invokeMethod(
            mailbox->receiver,
            [receiver = mailbox->receiver, request, deliver = std::move(deliver),
             result = std::move(result)]() mutable {
                if (receiver->arrived(request)) {
                    deliver(std::move(result));
                }
            },
            Qt::QueuedConnection);
    }).detach();
}
