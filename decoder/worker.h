// A background thread that serves registered clients by priority: one for read-ahead (a pass
// every 200 ms) and one for sound (every 50 ms), each shared by every open movie.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>

namespace quor {

struct WorkerClient;
using PriorityProc = uint32_t (*)(WorkerClient& client, uint32_t tick);  // 0 = nothing to do
using ServeProc = void (*)(WorkerClient& client, uint32_t tick);

// A client is embedded in its owner. Its mutex exists while it is registered; a client without
// one counts as always free.
struct WorkerClient {
  WorkerClient* next = nullptr;
  std::unique_ptr<std::recursive_mutex> mutex;
  WorkerClient* nextInPass = nullptr;
  uint32_t priority = 0;
  PriorityProc priorityProc = nullptr;
  ServeProc serveProc = nullptr;
  void* owner = nullptr;
  uint32_t lastTick = 0;  // tick of the last serve
};

void LockClient(WorkerClient& client);
bool TryLockClient(WorkerClient& client);
void UnlockClient(WorkerClient& client);
// Takes both clients' mutexes without risk of opposite orders between two threads.
void LockBothClients(WorkerClient& read, WorkerClient& sound);
void UnlockBothClients(WorkerClient& read, WorkerClient& sound);

class Worker {
 public:
  enum State : int { kCreated = 0, kRunning = 1, kPaused = 2, kQuitting = 3, kPausing = 4 };

  // Null when the thread cannot be created.
  static std::unique_ptr<Worker> Create(uint32_t rate);
  struct Token {
   private:
    friend class Worker;
    Token() = default;
  };
  Worker(uint32_t rate, Token);
  ~Worker();
  Worker(const Worker&) = delete;
  Worker& operator=(const Worker&) = delete;

  void Start();
  void Register(WorkerClient& client, PriorityProc priority, ServeProc serve);
  uint32_t ClientCount() const { return clientCount_; }
  uint32_t Tick() const { return tick_; }

  // Pauses the worker (waiting for a pass to end), unlinks the client and starts the worker
  // again. Returns true when the worker has no clients left; it is then shut down and may be
  // destroyed.
  friend unsigned UnregisterClients(Worker* readWorker, WorkerClient& read, Worker* soundWorker,
                                    WorkerClient& sound);

 private:
  void Run();
  void Pause();
  void Unlink(WorkerClient& client);
  void Shutdown();
  bool ServeOne();

  std::atomic<int> state_{kCreated};
  uint32_t periodMs_;
  std::mutex wakeMutex_;
  std::condition_variable wakeCondition_;
  bool woken_ = false;    // the wake event: signalled only to end the thread
  bool resumed_ = false;  // the thread starts suspended
  std::thread thread_;
  std::mutex workerMutex_;  // held for a whole pass, and by a controller while paused
  WorkerClient* clients_ = nullptr;
  std::atomic<uint32_t> tick_{1};
  uint32_t clientCount_ = 0;
};

// Unregisters a movie's clients from the workers (either may be null). Returns which workers
// lost their last client and were shut down: 1 = read, 2 = sound, 3 = both. Both clients'
// mutexes are released.
unsigned UnregisterClients(Worker* readWorker, WorkerClient& read, Worker* soundWorker,
                           WorkerClient& sound);

}  // namespace quor
