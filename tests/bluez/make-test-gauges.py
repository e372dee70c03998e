#!/usr/bin/env python3
"""Writes the gauge profiles of the BlueZ end-to-end tests: a generation-5 coating gauge whose "m" memory
holds 200 records, and a generation-4 probe-memory gauge. Built with the demo gauges' field writers; the
output is deterministic."""

import importlib.util
from datetime import datetime, timedelta
from pathlib import Path

HERE = Path(__file__).resolve().parent
spec = importlib.util.spec_from_file_location("demo", HERE.parent.parent / "tools" / "make-demo-gauges.py")
demo = importlib.util.module_from_spec(spec)
spec.loader.exec_module(demo)


def file_gauge():
    start = datetime(2026, 1, 20, 8, 0, 0)
    return {
        "name": "QY-FE 3300",
        "address": "0080E1B0B1B2",
        "rssi": -55,
        "info": "$vexa00T:2,S:330012,R:2.04,M:0080E1B0B1B2,U:ym!",
        "probe": "$gpiT:F1,R:2.0,S:123456!",
        "battery": "$gcv?3.90!",
        "clock": "$glt?05.03.2026 07:08:09!",
        "files": [{"name": "m001", "hex": demo.m_memory("Tank 7", start, demo.wave(200, 150.0, 25.0, 0.31),
                                                       "FE").hex().upper()}],
        "live": [demo.record_line(i + 1, v, 1, "ym", "FE", datetime(2026, 3, 5, 9, 0, 0) + timedelta(seconds=10 * i))
                 for i, v in enumerate(demo.wave(12, 120.0, 8.0, 0.9))],
    }


def probe_gauge():
    start = datetime(2026, 2, 9, 13, 0, 0)
    lines = [demo.record_line(i + 1, v, 1, "ym", ["FE", "NFE"][i % 2], start + timedelta(minutes=i))
             for i, v in enumerate(demo.wave(40, 88.0, 9.0, 0.5))]
    return {
        "name": "ZE-4800 ZEL",
        "address": "0080E1C0C1C2",
        "rssi": -68,
        "info": "$vexa00T:3,S:480011,R:1.20,M:0080E1C0C1C2,U:ym!",
        "battery": "$gcv?3.70!",
        "clock": "$glt?05.03.2026 07:08:09!",
        "memories": [{"name": "1", "records": lines}, {"name": "2", "records": []}],
        "live": lines[:6],
    }


def main():
    demo.OUT = HERE
    demo.write("bz-file-gauge.json", file_gauge())
    demo.write("bz-probe-gauge.json", probe_gauge())


if __name__ == "__main__":
    main()
