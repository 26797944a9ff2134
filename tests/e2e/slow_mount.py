#!/usr/bin/python3
"""usage: slow_mount.py SOURCE MOUNT_POINT LOG HOLD DELAY

A read-only FUSE mirror of SOURCE whose listings take DELAY seconds, logged to LOG as "begin PATH"
and "end PATH"; while the file HOLD exists (up to a minute), listings and statfs wait on top."""
import os
import sys
import threading
import time

from fusepy import FUSE, FuseOSError, Operations


class SlowMirror(Operations):
    def __init__(self, source, log, hold, delay):
        self.source, self.log, self.hold, self.delay = source, log, hold, delay
        self.lock = threading.Lock()

    def _real(self, path):
        return os.path.join(self.source, path.lstrip('/'))

    def _note(self, line):
        with self.lock, open(self.log, 'a', encoding='utf-8') as log:
            log.write(line + '\n')

    def _wait_while_held(self):
        # At most a minute: a player that failed the test and waits here can be ended.
        deadline = time.monotonic() + 60
        while os.path.exists(self.hold) and time.monotonic() < deadline:
            time.sleep(0.05)

    def getattr(self, path, fh=None):
        try:
            st = os.lstat(self._real(path))
        except OSError as error:
            raise FuseOSError(error.errno) from error
        return {key: getattr(st, key) for key in dir(st) if key.startswith('st_')}

    def readdir(self, path, fh):
        self._note('begin ' + path)
        time.sleep(self.delay)
        self._wait_while_held()
        try:
            return ['.', '..'] + os.listdir(self._real(path))
        except OSError as error:
            raise FuseOSError(error.errno) from error
        finally:
            self._note('end ' + path)

    def statfs(self, path):
        self._wait_while_held()
        st = os.statvfs(self._real(path))
        return {key: getattr(st, key) for key in dir(st) if key.startswith('f_')}


source, mount_point, log, hold, delay = sys.argv[1:6]
FUSE(SlowMirror(os.path.abspath(source), log, hold, float(delay)), mount_point,
     foreground=True, ro=True, nothreads=False)
