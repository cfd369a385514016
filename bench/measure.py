#!/usr/bin/python3
"""The benchmark's statistics and CPU accounting, in one place for scripts/bench and
bench/browser_bench.py:

  measure.py periods         times (ms) on standard input, one a line: their median, 95th
                             percentile and count ("n/a n/a 0" for none)
  measure.py ticks GROUP     clock ticks of user and system time that the processes of the
                             process group GROUP have used so far
  measure.py ticks --process PID
                             the same of the one process PID
  measure.py percent TICKS SECONDS
                             clock ticks as percent of one core over SECONDS"""
import os
import statistics
import sys


def periods_summary(periods):
    """Median and 95th percentile of the periods, and how many there are."""
    if len(periods) < 2:
        return None, None, len(periods)
    return (statistics.median(periods),
            statistics.quantiles(periods, n=20, method='inclusive')[-1], len(periods))


def process_stat(pid):
    """A process's name, process group and clock ticks of user and system time so far; None for
    one that has ended."""
    try:
        with open(f'/proc/{pid}/stat') as file:
            stat = file.read()
    except OSError:
        return None
    # After the name: state, parent, process group, ...; user and system time 12th and 13th.
    fields = stat[stat.rindex(')') + 1:].split()
    return (stat[stat.index('(') + 1:stat.rindex(')')], int(fields[2]),
            int(fields[11]) + int(fields[12]))


def group_ticks(group, names=lambda name: True):
    """Clock ticks of every process of the group so far whose name `names` accepts (one that
    ends meanwhile is left out)."""
    stats = filter(None, map(process_stat, filter(str.isdigit, os.listdir('/proc'))))
    return sum(ticks for name, in_group, ticks in stats if in_group == group and names(name))


def percent_of_core(ticks, seconds):
    return ticks / os.sysconf('SC_CLK_TCK') / seconds * 100


def main():
    command, arguments = sys.argv[1], sys.argv[2:]
    if command == 'periods':
        median, p95, count = periods_summary([float(line) for line in sys.stdin if line.strip()])
        print('n/a n/a 0' if count < 2 else f'{median:.2f} {p95:.2f} {count}')
    elif command == 'ticks' and arguments[0] == '--process':
        print(process_stat(int(arguments[1]))[2])
    elif command == 'ticks':
        print(group_ticks(int(arguments[0])))
    elif command == 'percent':
        print(f'{percent_of_core(int(arguments[0]), float(arguments[1])):.2f}')
    else:
        raise SystemExit(f'no such command: {command}')


if __name__ == '__main__':
    main()
