#!/usr/bin/env python3
"""Start-up time and memory of the browser against a minimal one-view engine program.

Both programs load the same local page from a server on 127.0.0.1; the page reports its load by
requesting /loaded from its onload handler, so the time is measured from outside the program:
from the moment the process is spawned to the moment /loaded arrives. Memory is the summed
proportional set size (PSS) of the program and its engine processes once pages have loaded.

  bench/startup_memory.py BUILD_DIR [--runs N]
"""
import argparse
import http.server
import os
import shutil
import signal
import socketserver
import subprocess
import sys
import tempfile
import threading
import time

PAGE = b"""<!doctype html><html><head><title>Bench page %d</title></head>
<body onload="fetch('/loaded?n=%d')"><h1>Page %d</h1><p>%s</p></body></html>"""


class Server(socketserver.ThreadingMixIn, http.server.HTTPServer):
    daemon_threads = True


def make_handler(events):
    class Handler(http.server.BaseHTTPRequestHandler):
        def log_message(self, *args):
            pass

        def do_GET(self):
            if self.path.startswith("/loaded"):
                events.append((time.monotonic(), self.path))
                body = b"ok"
            else:
                n = int(self.path.strip("/").split(".")[0] or 0) if self.path.strip("/").split(".")[0].isdigit() else 0
                body = PAGE % (n, n, n, b"lorem ipsum " * 200)
            self.send_response(200)
            self.send_header("Content-Type", "text/html")
            self.send_header("Content-Length", str(len(body)))
            self.end_headers()
            self.wfile.write(body)
    return Handler


def descendants(pid):
    children = []
    try:
        out = subprocess.run(["ps", "-o", "pid=", "--ppid", str(pid)], capture_output=True, text=True).stdout
    except OSError:
        return children
    for line in out.split():
        child = int(line)
        children.append(child)
        children.extend(descendants(child))
    return children


def pss_kib(pid):
    total = 0
    for p in [pid] + descendants(pid):
        try:
            with open(f"/proc/{p}/smaps_rollup") as f:
                for line in f:
                    if line.startswith("Pss:"):
                        total += int(line.split()[1])
        except OSError:
            pass
    return total


def wait_for(events, count, timeout):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        if len(events) >= count:
            return True
        time.sleep(0.01)
    return False


def fresh_env():
    home = tempfile.mkdtemp(prefix="pelto-bench-")
    env = dict(os.environ)
    for name in ("data", "config", "runtime"):
        os.makedirs(os.path.join(home, name))
    os.chmod(os.path.join(home, "runtime"), 0o700)
    env.update(XDG_DATA_HOME=os.path.join(home, "data"), XDG_CONFIG_HOME=os.path.join(home, "config"),
               XDG_RUNTIME_DIR=os.path.join(home, "runtime"), HOME=home)
    return home, env


def stop(process):
    process.send_signal(signal.SIGTERM)
    try:
        process.wait(timeout=15)
    except subprocess.TimeoutExpired:
        process.kill()
        process.wait()


def run_once(command, base, events, env, extra_pages=0, handover=None):
    events.clear()
    start = time.monotonic()
    process = subprocess.Popen(command + [base + "0.html"], env=env, stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL)
    ok = wait_for(events, 1, 60)
    elapsed = events[0][0] - start if ok else float("nan")
    memory_one = memory_many = None
    if ok:
        time.sleep(1.0)
        memory_one = pss_kib(process.pid)
        if extra_pages and handover:
            for n in range(1, extra_pages + 1):
                subprocess.run(handover + [base + "%d.html" % n], env=env, timeout=30)
            if wait_for(events, 1 + extra_pages, 60):
                time.sleep(1.0)
                memory_many = pss_kib(process.pid)
    stop(process)
    return elapsed, memory_one, memory_many


def median(values):
    values = sorted(v for v in values if v == v)
    return values[len(values) // 2] if values else float("nan")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("build")
    parser.add_argument("--runs", type=int, default=5)
    parser.add_argument("--pages", type=int, default=10)
    args = parser.parse_args()
    browser = os.path.join(args.build, "bin", "pelto-browser")
    minimal = os.path.join(args.build, "bin", "pelto_bench_minimal_view")

    events = []
    server = Server(("127.0.0.1", 0), make_handler(events))
    threading.Thread(target=server.serve_forever, daemon=True).start()
    base = "http://127.0.0.1:%d/" % server.server_address[1]

    results = {}
    for name, command, handover in (("minimal view", [minimal], None), ("pelto-browser", [browser], [browser])):
        for profile in ("fresh", "warm"):
            times, one, many = [], [], []
            home, env = fresh_env()
            for run in range(args.runs + (1 if profile == "warm" else 0)):
                if profile == "fresh" and run > 0:
                    shutil.rmtree(home, ignore_errors=True)
                    home, env = fresh_env()
                elapsed, m1, mn = run_once(command, base, events, env,
                                           args.pages - 1 if handover and run == 0 else 0, handover)
                if profile == "warm" and run == 0:
                    continue  # the run that creates the profile
                times.append(elapsed)
                if m1:
                    one.append(m1)
                if mn:
                    many.append(mn)
            shutil.rmtree(home, ignore_errors=True)
            results[(name, profile)] = (median(times), one, many)
            print("%-14s %-5s start-up to first page loaded: median %.0f ms over %d runs" %
                  (name, profile, median(times) * 1000, len(times)))
    for profile in ("fresh", "warm"):
        ratio = results[("pelto-browser", profile)][0] / results[("minimal view", profile)][0]
        print("start-up ratio pelto-browser / minimal view (%s profile): %.2f" % (profile, ratio))
    for name in ("minimal view", "pelto-browser"):
        one = results[(name, "fresh")][1]
        many = results[(name, "fresh")][2]
        if one:
            print("%-14s memory (PSS) with 1 page: %.0f MiB" % (name, median(one) / 1024))
        if many:
            print("%-14s memory (PSS) with %d pages: %.0f MiB" % (name, args.pages, median(many) / 1024))
    server.shutdown()


if __name__ == "__main__":
    sys.exit(main())
