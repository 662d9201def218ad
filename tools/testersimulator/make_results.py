#!/usr/bin/env python3
"""Writes data/results.csv: the stored results a PV tester hands over after
"MEM:DATA? ALL", made up for the tester simulator.

A day of commissioning tests on a plant of 20 strings of 16 modules each,
measured one after another with a few retests. Deterministic: the same file
on every run, so it can be regenerated and diffed. Standard library only.

    python3 tools/testersimulator/make_results.py [OUTPUT]
"""

import datetime
import os
import random
import sys

RECORDS = 400
MODULES_PER_STRING = 16
VOC_PER_MODULE = 38.3  # volts at 25 degC
ISC_STC = 9.87  # amperes at 1000 W/m2
VOC_TEMPERATURE_COEFFICIENT = -0.0029  # per kelvin
ISC_TEMPERATURE_COEFFICIENT = 0.0005  # per kelvin
RISO_LIMIT = 1.0  # megohm: below this the string fails
RISO_RANGE_END = 999.0  # the tester shows ">999" above its range

HEADER = ("Record,Date,Time,String,Voc (V),Isc (A),Riso (MOhm),"
          "Irradiance (W/m2),Tmod (degC),Result")


def irradiance_at(minutes):
    """Clear-sky bell over the day (W/m2); the caller adds the clouds."""
    noon = 13 * 60
    width = 5.5 * 60
    return 1000.0 * max(0.0, 1.0 - ((minutes - noon) / width) ** 2)


def make_records(rng):
    start = datetime.datetime(2026, 5, 14, 8, 12, 0)
    moment = start
    rows = []
    string_number = 1
    for record in range(1, RECORDS + 1):
        minutes = moment.hour * 60 + moment.minute
        irradiance = max(120.0, irradiance_at(minutes) * rng.uniform(0.93, 1.02))
        ambient = 14.0 + 9.0 * min(1.0, max(0.0, (minutes - 8 * 60) / (6 * 60)))
        temperature = ambient + irradiance / 1000.0 * 25.0 + rng.uniform(-1.5, 1.5)

        modules = MODULES_PER_STRING
        fault = rng.random()
        if fault < 0.015:
            modules -= 1  # a bypassed or missing module: Voc one module short
        voc = modules * VOC_PER_MODULE * (1 + VOC_TEMPERATURE_COEFFICIENT * (temperature - 25.0))
        voc *= rng.uniform(0.995, 1.005)
        isc = ISC_STC * irradiance / 1000.0 * (1 + ISC_TEMPERATURE_COEFFICIENT * (temperature - 25.0))
        isc *= rng.uniform(0.98, 1.02)

        if fault > 0.985:
            riso = rng.uniform(0.2, 0.9)  # damaged cable insulation
        elif rng.random() < 0.55:
            riso = RISO_RANGE_END + 1
        else:
            riso = rng.uniform(20.0, 400.0)
        riso_text = ">999" if riso > RISO_RANGE_END else "%.1f" % riso

        expected_voc = MODULES_PER_STRING * VOC_PER_MODULE * (1 + VOC_TEMPERATURE_COEFFICIENT * (temperature - 25.0))
        passed = riso >= RISO_LIMIT and abs(voc - expected_voc) / expected_voc < 0.03
        rows.append("%d,%s,%s,S%02d,%.1f,%.2f,%s,%d,%.1f,%s" % (
            record, moment.strftime("%Y-%m-%d"), moment.strftime("%H:%M:%S"),
            string_number, voc, isc, riso_text,
            round(irradiance), temperature, "PASS" if passed else "FAIL"))

        # A failed string is usually measured again at once; otherwise move on.
        if passed or rng.random() < 0.4:
            string_number = string_number % 20 + 1
        moment += datetime.timedelta(seconds=rng.randint(35, 95))
    return rows


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    output = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "data", "results.csv")
    rng = random.Random(20260514)
    lines = [HEADER] + make_records(rng)
    # The tester ends every line with CR LF, the last one included.
    with open(output, "w", encoding="ascii", newline="") as file:
        file.write("".join(line + "\r\n" for line in lines))


if __name__ == "__main__":
    main()
