#!/usr/bin/env python3
"""Writes the demo gauge profiles of examples/gauges/ for the simulated transport.

Memory dumps are built field by field: a 160-byte header, then 16-byte measurement records or
4-byte single values. Run again after changing this script; the output is deterministic.
"""

import json
import math
import struct
from datetime import datetime, timedelta
from pathlib import Path

OUT = Path(__file__).resolve().parent.parent / "examples" / "gauges"

MATERIAL_CODES = {"FE": 0x0, "NF": 0x1, "WLD": 0xF}


def le(value, size):
    return value.to_bytes(size, "little", signed=value < 0)


def single(value):
    return struct.pack("<f", value)


def packed_date(at):
    return bytes([at.second, at.minute, at.hour, at.day, at.month, at.year - 2000])


def header(name, at, record_count, sample_interval=0, stats=(0, 0, 0, 0, 0, 0, 0)):
    name_bytes = name.encode("latin-1").ljust(114, b"\0")
    data = (b"\0\0\0\0" + le(7, 1) + b"\0" + b"01" + name_bytes + packed_date(at)
            + le(record_count, 2) + le(sample_interval, 2) + b"".join(single(s) for s in stats))
    assert len(data) == 160
    return data


def measurement_record(material, at, value, number, passed_over=False):
    flags = MATERIAL_CODES[material] | (0x80 if passed_over else 0)
    return b"\0" + bytes([flags]) + packed_date(at) + single(value) + le(number, 4)


def m_memory(name, start, values, material):
    records = b"".join(measurement_record(material, start + timedelta(minutes=3 * i, seconds=7 * i), v, i + 1)
                       for i, v in enumerate(values))
    return header(name, start, len(values)) + records


def s_memory(name, at, values):
    return header(name, at, len(values)) + b"".join(single(v) for v in values)


def t_memory(name, at, samples, interval_ms, pulse_ms):
    mean = sum(samples) / len(samples)
    std = math.sqrt(sum((s - mean) ** 2 for s in samples) / (len(samples) - 1))
    stats = (min(samples), max(samples), 0, mean, std, 0, pulse_ms)
    return header(name, at, len(samples), interval_ms, stats) + b"".join(single(s) for s in samples)


def record_line(number, value, decimals, unit, material, at):
    """Number in columns 1-4, value 7-16, unit 18-21, material 23-25, date and time 27-45."""
    line = f"{number:4d}  {value:10.{decimals}f} {unit:<4} {material:<3} {at:%Y-%m-%d %H:%M:%S}"
    assert len(line) == 45
    return line


def wave(count, base, spread, step=0.7):
    return [round(base + spread * math.sin(i * step) + (i % 3) * spread / 10, 2) for i in range(count)]


def write(file_name, profile):
    (OUT / file_name).write_text(json.dumps(profile, indent=2, ensure_ascii=False) + "\n", encoding="utf-8")


def coating_gauge():
    start = datetime(2026, 2, 17, 9, 30, 0)
    coating = wave(25, 120.0, 18.0)
    series = [round(60 + 25 * math.sin(i / 4) * math.exp(-i / 40), 3) for i in range(48)]
    live_at = datetime(2026, 3, 5, 7, 10, 0)
    return {
        "name": "QY-FE 2107",
        "address": "0080E1A1B2C3",
        "rssi": -58,
        "info": "$vexa00T:2,S:210745,R:2.04,M:0080E1A1B2C3,U:ym!",
        "probe": "$gpiT:F1,R:2.0,S:998877!",
        "battery": "$gcv?3.85!",
        "clock": "$glt?05.03.2026 07:08:09!",
        "files": [
            {"name": "m001", "hex": m_memory("Bridge pier 4", start, coating, "FE").hex().upper()},
            {"name": "s002", "hex": s_memory("Spot check", start + timedelta(days=2),
                                             wave(10, 95.0, 6.0, 1.3)).hex().upper()},
            {"name": "t003", "hex": t_memory("Series A", start + timedelta(days=3), series, 50, 12.5).hex().upper()},
        ],
        "live": [record_line(i + 1, v, 1, "ym", "FE", live_at + timedelta(seconds=20 * i))
                 for i, v in enumerate(wave(6, 110.0, 9.0, 1.1))],
    }


def probe_memory_gauge():
    first = datetime(2026, 1, 12, 8, 0, 0)
    third = datetime(2026, 2, 3, 14, 20, 0)

    def lines(values, start, materials):
        return [record_line(i + 1, v, 1, "ym", materials[i % len(materials)], start + timedelta(minutes=2 * i))
                for i, v in enumerate(values)]

    return {
        "name": "ZE-4711 ZEL",
        "address": "0080E1C4D5E6",
        "rssi": -71,
        "info": "$vexa00T:3,S:471100,R:1.20,M:0080E1C4D5E6,U:ym!",
        "battery": "$gcv?3.62!",
        "clock": "$glt?05.03.2026 07:08:09!",
        "memories": [
            {"name": "1", "records": lines(wave(7, 85.0, 7.0), first, ["FE"])},
            {"name": "2", "records": []},
            {"name": "3", "records": lines(wave(12, 140.0, 15.0, 0.9), third, ["FE", "NFE"])},
        ],
        "live": lines(wave(5, 92.0, 5.0, 1.7), datetime(2026, 3, 5, 7, 12, 0), ["FE", "NFE"]),
    }


def field_gauge():
    start = datetime(2026, 2, 20, 11, 0, 0)
    field_strength = wave(8, 80.0, 12.0)  # recorded in A/cm, shown in mT
    return {
        "name": "VIMS-0815",
        "address": "0080E1F7A8B9",
        "rssi": -64,
        "info": "$vexa00T:5,S:081501,R:3.11,M:0080E1F7A8B9,U:mT!",
        "probe": "$gpiT:W1,R:1.4,S:550321!",
        "battery": "$gcv?4.02!",
        "clock": "$glt?05.03.2026 07:08:09!",
        "sondeService": True,
        "files": [{"name": "m001", "hex": m_memory("Rotor", start, field_strength, "WLD").hex().upper()}],
        "ls": "$ls?02 files  m001 setup.cfg!",
        "live": [record_line(i + 1, v, 3, "mT", "WLD", datetime(2026, 3, 5, 7, 15, 0) + timedelta(seconds=5 * i))
                 for i, v in enumerate(wave(4, 10.05, 1.5))],
    }


def faulty_gauge():
    """The coating gauge with a weak radio: every answer is late and the link drops 40 operations after
    each connect, amid a download of m001, to try ReConnect and the out-of-range message without a real
    gauge."""
    gauge = coating_gauge()
    gauge.update({
        "name": "QY-FE 2199 weak",
        "address": "0080E1A1B2D4",
        "rssi": -92,
        "info": "$vexa00T:2,S:219901,R:2.04,M:0080E1A1B2D4,U:ym!",
        "simulation": {"latencyMs": 15, "dropLinkAfter": 40},
    })
    return gauge


def main():
    OUT.mkdir(parents=True, exist_ok=True)
    write("qy-coating.json", coating_gauge())
    write("ze-probe-memory.json", probe_memory_gauge())
    write("vims-field.json", field_gauge())
    write("qy-weak-radio.json", faulty_gauge())


if __name__ == "__main__":
    main()
