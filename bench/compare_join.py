#!/usr/bin/env python3
"""Times the key join as whole processes, loads included: replay_tools replaying a
data-edit settings file whose "@AddCSV" section joins a 3000-row CSV with a
3000-line additional CSV, against sqlite3 importing both files and running the
equivalent LEFT JOIN, and Miller's join with unpaired left records kept. Prints
the median wall and CPU seconds (user + system) of RUNS runs as a Markdown table.

Usage: bench/compare_join.py BUILD_DIR [RUNS]   (files are made under /tmp/tabro_join)
       bench/compare_join.py BUILD_DIR --files   (only writes the files and prints, per
       shape, a line "NAME<TAB>MAIN<TAB>ADDITIONAL<TAB>SETTINGS"; compare_all.sh times them)
"""
import os
import random
import statistics
import subprocess
import sys
import time

build = sys.argv[1]
files_only = len(sys.argv) > 2 and sys.argv[2] == "--files"
runs = int(sys.argv[2]) if len(sys.argv) > 2 and not files_only else 11
data = "/tmp/tabro_join"
os.makedirs(data, exist_ok=True)
replay = os.path.join(build, "bench", "replay_tools")

# Shapes: (name, loaded data rows, loaded rows per key, additional lines per key).
# Header lines included, both files hold 3000 lines, except the one-to-many main
# file: a result of more than 2999 rows is refused, so 999 rows come out as 2997.
SHAPES = [
    ("one-to-one", 2999, 1, 1),
    ("many-to-one (3 loaded rows per line)", 2999, 3, 1),
    ("one-to-many (3 lines per loaded row)", 999, 1, 3),
]


def write_files(tag, main_rows, main_per_key, add_per_key):
    rng = random.Random(7)
    main = os.path.join(data, f"main_{tag}.csv")
    add = os.path.join(data, f"add_{tag}.csv")
    with open(main, "w", encoding="utf-8", newline="\n") as f:
        f.write("コード,品名,数量,単価\n")
        for r in range(main_rows):
            f.write(f"C{10000 + r // main_per_key},品名{r}号,{r % 97},{100 + r % 13 * 10}\n")
    lines = [f"C{10000 + i // add_per_key},得意先{i // add_per_key}商店,地区{i % 47},担当{i}\n"
             for i in range(2999)]
    rng.shuffle(lines)
    with open(add, "w", encoding="utf-8", newline="\n") as f:
        f.write("コード,得意先名,地区,担当者\n")
        f.writelines(lines)
    settings = os.path.join(data, f"join_{tag}.txt")
    with open(settings, "w", encoding="utf-8", newline="\n") as f:
        f.write("@Header\nVersion=1.0\nEditInf=0,2,0\n\n")
        f.write("@AddCSV\nAddCSVFg=0\nSerealFg=0\nAddCsvCnt=1\nAddColms=0\nAddCsvUpdateFg=0\n")
        f.write(f'AddCsv=0,4,3000,0,"{add}","add_{tag}"\nAdelSelect=0,0,0,0,0\n')
        f.write("ArrayCount=0,1\nAlignArry=0,0,0,1,0,0\nArrayCount=1,0\nArrayCount=2,0\n\n")
    return main, add, settings


def run_once(cmd):
    start = time.perf_counter()
    proc = subprocess.Popen(cmd, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
    _, status, usage = os.wait4(proc.pid, 0)
    wall = time.perf_counter() - start
    if status != 0:
        sys.exit(f"{cmd[0]} failed: {proc.stderr.read().decode()}")
    return wall, usage.ru_utime + usage.ru_stime


def measure(cmds):
    """Median wall and CPU seconds of each command; the commands take turns, so
    that a busy moment of the machine falls on all of them alike."""
    times = [[] for _ in cmds]
    for _ in range(runs):
        for i, cmd in enumerate(cmds):
            times[i].append(run_once(cmd))
    return [(statistics.median(w for w, _ in t), statistics.median(c for _, c in t)) for t in times]


if files_only:
    for n, (name, rows, main_per_key, add_per_key) in enumerate(SHAPES):
        print("\t".join((name,) + write_files(n, rows, main_per_key, add_per_key)))
    sys.exit(0)

print(f"median of {runs} runs, wall / CPU seconds\n")
print("| join of 3000 lines | replay_tools | sqlite3 LEFT JOIN | mlr join --ul | replay_tools / sqlite3 wall, CPU |")
print("|---|---|---|---|---|")
for n, (name, rows, main_per_key, add_per_key) in enumerate(SHAPES):
    main, add, settings = write_files(n, rows, main_per_key, add_per_key)
    sql = "SELECT m.*, a.得意先名, a.地区, a.担当者 FROM m LEFT JOIN a ON m.コード = a.コード;"
    ours, sqlite, mlr = measure([
        [replay, main, settings],
        ["sqlite3", ":memory:", "-cmd", ".mode csv", "-cmd", f".import {main} m",
         "-cmd", f".import {add} a", sql],
        ["mlr", "--csv", "join", "--ul", "-j", "コード", "-f", main, add],
    ])
    print(f"| {name} | {ours[0]:.4f} / {ours[1]:.4f} | {sqlite[0]:.4f} / {sqlite[1]:.4f} "
          f"| {mlr[0]:.4f} / {mlr[1]:.4f} | {ours[0] / sqlite[0]:.2f}, {ours[1] / sqlite[1]:.2f} |")
