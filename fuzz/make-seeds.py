#!/usr/bin/env python3
"""Writes the crafted seeds: edge cases of the decoder (corpus/decoder/crafted-*.bin, and
reply text as it is, text-*.bin) and of the query builder (corpus/query/).

The real replies (real-*.bin) come from tests/dns/data/capture-replies.sh.
"""
import pathlib
import struct

out = pathlib.Path(__file__).resolve().parent / "corpus" / "decoder"


def header(answers=1, authority=0, additional=0):
    return struct.pack(">HHHHHH", 0, 0x8180, 1, answers, authority, additional)


def name(dotted):
    b = b""
    for label in dotted.split(".") if dotted else []:
        b += bytes([len(label)]) + label.encode()
    return b + b"\0"


def labels(dotted):
    return name(dotted)[:-1]


def pointer(offset):
    return struct.pack(">H", 0xC000 | offset)


def question(dotted, qtype=1):
    return name(dotted) + struct.pack(">HH", qtype, 1)


def record(rtype, data, owner=pointer(12)):
    return owner + struct.pack(">HHIH", rtype, 1, 3600, len(data)) + data


def a(ip):
    return record(1, bytes(ip))


base = header() + question("example.com")  # first record at 29
seeds = {
    "example-a": base + a([192, 0, 2, 1]),
    "empty-answer": header(0) + question("example.com"),
    "count-256": header(256) + question("example.com") + a([10, 0, 0, 1]),
    "type-257": base + record(257, bytes([10, 0, 0, 1])),
    "aaaa-then-a": header(2) + question("example.com") + record(28, bytes(16)) + a([10, 0, 0, 2]),
    "mx-lone-pointer": base + record(15, b"\0\x0a" + pointer(12)),
    "mx-labels-pointer": base + record(15, b"\0\x0a" + labels("mail") + pointer(12)),
    "ns-root": base + record(2, b"\0"),
    "soa-then-a": header(2) + question("example.com")
    + record(6, labels("ns") + pointer(12) + pointer(12) + bytes(20)) + a([10, 0, 0, 3]),
    "self-pointer": base + a([10, 0, 0, 1]) + record(2, pointer(57)),
    "forward-pointer": base + record(5, pointer(43) + name("x")),
    "pointer-loop": base + a([10, 0, 0, 1]) + labels("a") + pointer(61)
    + struct.pack(">HHIH", 15, 1, 0, 4) + b"\0\x0a" + pointer(45),
    "truncated-a": base + a([10, 0, 0, 1])[:-2],
    "truncated-name": base + record(2, labels("ns1"))[:-1],
    "escapes": base + record(2, bytes([9]) + b"a.b \\\xe4\x00\x7fz" + pointer(20)),
    "uncompressed-owner": base + record(1, bytes([10, 9, 8, 7]), owner=name("host.example.com")),
    "question-c0": header() + pointer(12) + struct.pack(">HH", 1, 1),
    "truncated-type": base + pointer(12) + b"\0",
    "truncated-pointer": base + labels("a") + b"\xc0",
    "soa-past-end": base + record(6, labels("ns") + pointer(12) + pointer(12) + bytes(20))[:-4],
}

# A ladder of NS records, each pointing at the NS data before it.
ladder = bytearray(base)
previous = 12
for _ in range(34):
    ladder += record(2, pointer(previous))
    previous = len(ladder) - 2
seeds["pointer-ladder"] = bytes(ladder)

# A name at offset 312 reached by a 14-bit pointer (C1 38).
far = bytearray(base + a([10, 0, 0, 1]))
far += labels("a" * 63) + labels("b" * 63) + labels("c" * 63) + labels("d" * 47) + b"\0"
far += struct.pack(">HHIH", 1, 1, 0, 4) + bytes([10, 0, 0, 2])
far += record(5, name("far.example")) + record(2, pointer(312))
seeds["pointer-over-256"] = bytes(far)

# Valid replies of 512 and 513 bytes: A records, the question name filling the rest.
for size in (512, 513):
    records = (size - 32) // 16
    qname = size - 16 - 16 * records
    reply = header(records) + name("q" * (qname - 2)) + struct.pack(">HH", 1, 1)
    reply += b"".join(a([10, 0, 0, i]) for i in range(records))
    assert len(reply) == size
    seeds[f"long-{size}"] = reply
seeds["too-long-514"] = seeds["long-513"] + b"\0"

# Reply text as it is: lower-case digits, digits past F and f, an odd length, too many bytes.
example = seeds["example-a"].hex()
texts = {
    "lower-then-G": example + "0G",
    "then-g": example.upper() + "0g",
    "odd": example.upper() + "0",
    "514-bytes": seeds["too-long-514"].hex().upper(),
}

out.mkdir(parents=True, exist_ok=True)
for key, data in seeds.items():
    (out / f"crafted-{key}.bin").write_bytes(data)
    print(f"crafted-{key}.bin: {len(data)} bytes")
for key, text in texts.items():
    (out / f"text-{key}.bin").write_text(text)
    print(f"text-{key}.bin: {len(text)} bytes")

# Typed domains the other seeds lack: capitals, and no dot at all; and a small number for
# DEC_to_HEX (the first four bytes, big-endian), with a zero digit inside.
query = out.parent / "query"
for key, data in {"capitals": b"Mail.Example.COM", "no-dot": b"localhost",
                  "number-100F": b"\0\0\x10\x0f"}.items():
    (query / key).write_bytes(data)
    print(f"query/{key}: {len(data)} bytes")
