#!/usr/bin/python3
"""A read-only FUSE mirror of a folder that answers like a slow network share.

Every folder listing takes DELAY seconds. While the file HOLD exists, listings and statfs (what
a look at the mount's size asks) wait on top of that until it is removed, so a test can keep
the player waiting for as long as it checks something. Each listing is logged to LOG as
"begin PATH" and "end PATH", so the test can tell whether one is under way.

usage: slow_mount.py SOURCE MOUNT_POINT LOG HOLD DELAY
"""

import errno
import os
import sys
import threading
import time

from fusepy import FUSE, FuseOSError, Operations

STAT_FIELDS = ("st_mode", "st_size", "st_uid", "st_gid", "st_nlink", "st_atime", "st_mtime",
               "st_ctime")


class SlowMirror(Operations):
    def __init__(self, source, log, hold, delay):
        self.source = source
        self.log_path = log
        self.hold = hold
        self.delay = delay
        self.log_lock = threading.Lock()

    def _real(self, path):
        return os.path.join(self.source, path.lstrip("/"))

    def _log(self, line):
        with self.log_lock, open(self.log_path, "a", encoding="utf-8") as log:
            log.write(line + "\n")

    def _wait_while_held(self):
        while os.path.exists(self.hold):
            time.sleep(0.05)

    def getattr(self, path, fh=None):
        try:
            st = os.lstat(self._real(path))
        except OSError as error:
            raise FuseOSError(error.errno) from error
        return {field: getattr(st, field) for field in STAT_FIELDS}

    def readdir(self, path, fh):
        self._log("begin " + path)
        time.sleep(self.delay)
        self._wait_while_held()
        try:
            names = os.listdir(self._real(path))
        except OSError as error:
            raise FuseOSError(error.errno) from error
        finally:
            self._log("end " + path)
        return [".", ".."] + names

    def statfs(self, path):
        self._wait_while_held()
        st = os.statvfs(self._real(path))
        return {field: getattr(st, field) for field in (
            "f_bsize", "f_frsize", "f_blocks", "f_bfree", "f_bavail", "f_files", "f_ffree",
            "f_favail", "f_flag", "f_namemax")}

    def open(self, path, flags):
        if flags & (os.O_WRONLY | os.O_RDWR):
            raise FuseOSError(errno.EROFS)
        return os.open(self._real(path), os.O_RDONLY)

    def read(self, path, size, offset, fh):
        return os.pread(fh, size, offset)

    def release(self, path, fh):
        os.close(fh)


def main():
    source, mount_point, log, hold, delay = sys.argv[1:6]
    FUSE(SlowMirror(os.path.abspath(source), log, hold, float(delay)), mount_point,
         foreground=True, ro=True, nothreads=False)


if __name__ == "__main__":
    main()
