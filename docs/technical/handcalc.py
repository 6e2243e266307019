#!/usr/bin/env python3
"""Independent hand calculation of the Technical Manual's worked examples.

Written from the equations and chart values the manual states, without the
engine: every intermediate value the manual prints comes from here. Run it
with `python3 docs/technical/handcalc.py`; the manual's check tables hold its
results, and the engine tests compare the engine with those tables.
"""
import math

PI = 3.14159
DEG = 57.2958


def rad(deg):
    return deg / DEG


def lerp(x, x0, x1, y0, y1):
    return y0 + (y1 - y0) * (x - x0) / (x1 - x0)


def show(name, value):
    print(f"{name:40s} {value:.6g}")


# ---------------------------------------------------------------- English case
# Closed-ended steel pipe, OD 12 in, ID 11 in, E 29e6 psi, TL 10 ft, increment
# 5 ft; sand from 0 to 20 ft, effective unit weight 60 pcf, phi 30, Ko 1, Nq 20;
# user unit side friction 400 psf and unit end bearing 30000 psf.
print("== English sand case")
OD, ID, E, TL, DZ = 12.0, 11.0, 29.0e6, 10.0, 5.0
GAMMA = 0.060  # ksf per ft
PHI = 30.0
D = OD / 12.0
P = PI * D
AF = 0.7853975 * D * D
show("perimeter P ft", P)
show("full tip area Af ft2", AF)


def sigma(z):
    return GAMMA * z


def skin_trapezoid(f):
    return sum((f[k - 1] + f[k]) * 0.5 * P * DZ for k in range(1, len(f)))


def window_average(q):
    # q(z) linear in every case here: the average over d +- 1.5 D is q(d)
    return q


print("-- FHWA")
V = 0.7853975  # ft3 per ft: pi OD^2 / 4 of the closed section
ratio = lerp(V, 0.6, 0.8, 0.516, 0.593)
delta = ratio * PHI
cf = lerp(ratio, 0.4, 0.6, 0.69, 0.82)
kd = 1.15 + (0.85 - 1.15) * (1.0 - V) / (1.0 - 0.1)
factor = kd * math.sin(rad(delta)) * cf
show("V", V)
show("delta/phi", ratio)
show("delta deg", delta)
show("CF", cf)
show("K_delta", kd)
show("K_delta CF sin(delta)", factor)
f = [factor * sigma(k * DZ) for k in range(3)]
for k in range(3):
    show(f"f({k * DZ:g})", f[k])
qs = skin_trapezoid(f)
show("skin at 10 ft", qs)
alpha = 0.58
nqb = 30.0
nq = alpha * nqb
limit = 6.66 * 2
# unit end bearing at the segment ends 5, 10, 15 ft, each held at the limit,
# linear inside a segment; averaged over 8.5 .. 11.5 ft
q5, q10, q15 = (min(nq * sigma(z), limit) for z in (5, 10, 15))
q85 = lerp(8.5, 5, 10, q5, q10)
q115 = lerp(11.5, 10, 15, q10, q15)
q = (1.5 * (q85 + q10) / 2 + 1.5 * (q10 + q115) / 2) / 3
show("N'q", nq)
show("limit qL", limit)
for name, v in (("q5", q5), ("q10", q10), ("q15", q15), ("q8.5", q85), ("q11.5", q115)):
    show(name, v)
show("window mean q", q)
qb = q * AF
show("end bearing", qb)
show("total", qs + qb)
fhwa = dict(f10=f[2], skin=qs, tip=qb, total=qs + qb)

print("-- USACE")
K = 1.25
delta = 0.75 * PHI
f = [K * sigma(k * DZ) * math.tan(rad(delta)) for k in range(3)]
show("tan delta", math.tan(rad(delta)))
for k in range(3):
    show(f"f({k * DZ:g})", f[k])
qs = skin_trapezoid(f)
q = 23.0 * sigma(10)
qb = q * AF
show("skin", qs)
show("q", q)
show("end bearing", qb)
show("total", qs + qb)

print("-- Revised Lambda")
A = PI * (OD * OD - ID * ID) / 4.0
Kst = E * A * 0.1
C = PI * OD
show("A in2", A)
show("E A 0.1", Kst)
show("C", C)
s1 = 0.5 * (sigma(0) + sigma(5)) * math.tan(rad(PHI))
s2 = 0.5 * (sigma(5) + sigma(10)) * math.tan(rad(PHI))
show("s1", s1)
show("s2", s2)
Q = [0.0]
for k, z in ((1, 5.0), (2, 10.0)):
    if k == 1:
        ms, mstr = 0.5 * (0 + sigma(5)), s1
    else:
        ms = (0.5 * (sigma(0) + sigma(5)) * 5 + 0.5 * (sigma(5) + sigma(10)) * 5) / z
        mstr = (s1 * 5 + s2 * 5) / z
    pi2 = C * z * z * mstr * 1000 / Kst
    lam = (0.178 - 0.016 * math.log(pi2)) if mstr / ms < 0.4 else (0.232 - 0.032 * math.log(pi2))
    lam = max(lam, 0.14)
    Qk = (2 * mstr + ms) * lam * P * z
    show(f"z={z:g} mean stress", ms)
    show(f"z={z:g} mean strength", mstr)
    show(f"z={z:g} ratio", mstr / ms)
    show(f"z={z:g} pi2", pi2)
    show(f"z={z:g} lambda", lam)
    show(f"z={z:g} Q", Qk)
    Q.append(Qk)
f10 = (Q[2] - Q[1]) / P / DZ
show("f(10)", f10)
q = 20 * sigma(10)
qb = q * AF
show("end bearing", qb)
show("total", Q[2] + qb)

print("-- API")
f = [sigma(k * DZ) * math.tan(rad(PHI - 5)) for k in range(3)]
for k in range(3):
    show(f"f({k * DZ:g})", f[k])
api_skin_nodes = [0.0]
for k in range(1, 3):
    api_skin_nodes.append(api_skin_nodes[-1] + (f[k - 1] + f[k]) * 0.5 * P * DZ)
qs = api_skin_nodes[-1]
show("skin at 5", api_skin_nodes[1])
show("skin", qs)
q = 20 * sigma(10)
qb = q * AF
api_tip = qb
show("q", q)
show("limit at phi 30", 100.0)
show("end bearing", qb)
show("total", qs + qb)

print("-- User-specified")
Pu = 3.14159 * D
Au = 0.785398 * D * D
dq = Pu * 0.4 * DZ
show("increment", dq)
show("skin", 2 * dq)
show("tip", Au * 30.0)
show("total", 2 * dq + Au * 30.0)

# ---------------------------------------------------------- load-settlement
print("== Load-settlement (API, English case)")
TZPI = 3.1416
rows_depth = [0.0, 5.0, 10.0]
rows_skin = api_skin_nodes
slope = (rows_skin[2] - rows_skin[1]) / 5.0
fs = slope * 1000.0 / OD / 12.0 / TZPI
show("slope kips/ft", slope)
show("fs psi", fs)
node_depths = [0.0, (0.0 + 239.5 + 1.1) * 0.5, 240.0 - 0.5]
show("node b in", node_depths[1])
sandz = [0, 0.01, 0.02, 0.04, 0.06, 0.08, 0.09, 0.1, 0.5, 2.0]
sandt = [0, 0.1, 0.2, 0.4, 0.6, 0.8, 0.9, 1.0, 1.0, 1.0]
tz_t = [r * fs for r in sandt]
tipw = [r * OD for r in [0, 0.0005, 0.001, 0.002, 0.013, 0.042, 0.073, 0.1, 0.15, 0.2]]
qtip = api_tip * 1000.0
tipq = [r * qtip for r in [0, 0.0625, 0.125, 0.25, 0.5, 0.75, 0.9, 1.0, 1.0, 1.0]]


def read(xs, ys, x):
    j = 0
    while j < len(xs) and x - xs[j] > 0:
        j += 1
    if j == len(xs):
        return ys[-1]
    if j == 0 or x == xs[j]:
        return ys[j]
    return ys[j - 1] + (x - xs[j - 1]) * (ys[j] - ys[j - 1]) / (xs[j] - xs[j - 1])


EA = (OD * OD - ID * ID) * TZPI * 0.25 * E
L = TL * 12.0
nP = 3
dz = L / nP
show("EA lb", EA)
show("segment length in", dz)
steps = [0.0001, 0.001, 0.005, 0.01, 0.05, 0.1, 0.5, 1.0, 2.0]
ls = []
for s, wt in enumerate(steps, 1):
    qt = read(tipw, tipq, wt)
    pb, wb = qt, wt
    detail = s == 4
    if detail:
        show(f"step {s} tip load lb", qt)
    for j in range(1, nP + 1):
        w = wb
        it = 0
        while True:
            it += 1
            t = read(sandz, tz_t, w)
            dQ = t * OD * TZPI * dz
            ptop = pb + dQ
            pavg = pb + 0.5 * dQ
            wtop = wb + dz * pavg / EA
            wmid = wb + 0.5 * dz * 0.5 * (0.5 * (ptop + pb) + pb) / EA
            if detail:
                print(f"   seg {j} it {it}: w={w:.7g} t={t:.6g} dQ={dQ:.6g} Ptop={ptop:.6g} wmid={wmid:.7g} wtop={wtop:.7g}")
            if 0.0001 - abs(wmid - w) >= 0:
                break
            w = wmid
        pb, wb = ptop, wtop
    ls.append((pb / 1000.0, wb, qt / 1000.0, wt))
for s, r in enumerate(ls, 1):
    print(f"step {s}: head {r[0]:.6g} kips, head w {r[1]:.6g} in, tip {r[2]:.6g} kips, tip w {r[3]:g}")

# ---------------------------------------------------------------- SI case
# Closed-ended steel pipe OD 1000 mm, ID 950 mm, TL 10 m, increment 5 m; sand
# from 0 to 20 m, effective unit weight 10 kN/m3, phi 30, Ko 1, Nq 20,
# cone resistance 10000 kPa in the layer data. Offshore methods on.
print("== SI offshore case")
PA = 100.0
QC = 10000.0
ODm, TLm, DZm = 1000.0, 10.0, 5.0
Pm = PI * ODm / 1000.0
AFm = 0.7853975 * (ODm / 1000.0) ** 2
show("P m", Pm)
show("Af m2", AFm)


def sig(z):
    return 10.0 * z


def skin_m(f):
    return sum((f[k - 1] + f[k]) * 0.5 * Pm * DZm for k in range(1, len(f)))


def tip_window(qfun):
    # unit end bearing at the segment ends 5, 10, 15 m, linear inside each
    # segment; average over 8.5 .. 11.5 m
    q5, q10, q15 = qfun(sig(5)), qfun(sig(10)), qfun(sig(15))
    q85 = lerp(8.5, 5, 10, q5, q10)
    q115 = lerp(11.5, 10, 15, q10, q15)
    avg = (1.5 * (q85 + q10) / 2 + 1.5 * (q10 + q115) / 2) / 3.0
    return avg, (q5, q10, q15, q85, q115)


print("-- NGI")


def dr_of(s):
    return 0.4 * math.log(QC / (22.0 * math.sqrt(s * PA)))


dr = dr_of(sig(10))
fdr = 2.1 * (dr - 0.1) ** 1.7
fsig = (sig(10) / PA) ** 0.25
f10 = 0.5 * PA * fdr * fsig * 1.6 * 1.3 * 1.0
show("Q0 at 100 kPa", 22 * math.sqrt(100 * PA))
show("Dr at 10 m", dr)
show("F_Dr", fdr)
show("F_sigma", fsig)
show("f(10)", f10)
f = [0.0, 0.0, f10]
qs = skin_m(f)
show("skin", qs)


def ngi_q(s):
    d = dr_of(s)
    return 0.8 * QC / (1 + d * d)


avg, parts = tip_window(ngi_q)
for name, v in zip(("q5", "q10", "q15", "q8.5", "q11.5"), parts):
    show(name, v)
show("average q", avg)
qb = avg * AFm
show("end bearing", qb)
show("total", qs + qb)

print("-- ICP/MTD")
TAN25 = math.tan(rad(25.0))
R = math.sqrt(ODm * ODm * 0.25)


def drd(sb):
    eta = QC / math.sqrt(PA * sb)
    G = QC / (0.0203 + 0.00125 * eta - 1.216e-6 * eta * eta)
    return eta, G, 2 * G * 0.02 / (ODm / 2)


def src(s, hr):
    return 0.029 * QC * (s / PA) ** 0.13 * hr ** -0.38


e1, g1, d1 = drd(sig(5))
e2, g2, d2 = drd(sig(10))
show("R*", R)
show("seg1 h/R", 10000 / R)
show("seg2 h/R", 5000 / R)
show("seg1 eta", e1)
show("seg1 G", g1)
show("seg1 drd", d1)
show("seg2 eta", e2)
show("seg2 G", g2)
show("seg2 drd", d2)
s0 = 0.0
s5 = src(sig(5), 20.0)
s10 = src(sig(10), 10.0)
show("sigma_rc(5)", s5)
show("sigma_rc(10)", s10)
f = [(s0 + d1) * TAN25, (s5 + d1) * TAN25, (s10 + d2) * TAN25]
for k in range(3):
    show(f"f({k * 5})", f[k])
qs = skin_m(f)
show("skin", qs)
r = ODm / 36.0
fac = 1 - 0.5 * math.log10(r)
q = max(fac, 0.3) * QC
show("D/36", r)
show("factor", fac)
show("q", q)
qb = q * AFm
show("end bearing", qb)
show("total", qs + qb)

print("-- Fugro")


def fugro(s, hr):
    return 0.08 * QC * (s / PA) ** 0.05 * hr ** -0.9


f = [0.0, fugro(sig(5), 20.0), fugro(sig(10), 10.0)]
for k in range(3):
    show(f"f({k * 5})", f[k])
qs = skin_m(f)
show("skin", qs)
q = 8.5 * PA * math.sqrt(QC / PA) * 1.0
qb = q * AFm
show("q", q)
show("end bearing", qb)
show("total", qs + qb)

print("-- UWA")


def uwa(s, hd):
    radial = 0.03 * QC * 1.0 ** 0.3 * hd ** -0.5
    sn = max(s / PA, 1e-7)
    G = 185 * QC / ((QC / PA) / math.sqrt(sn)) ** 0.75
    return radial, G, (radial + 4 * G * 0.02 / ODm) * TAN25


parts = [uwa(0.0, 10.0), uwa(sig(5), 10.0), uwa(sig(10), 5.0)]
for k, (radial, G, fk) in enumerate(parts):
    show(f"radial({k * 5})", radial)
    show(f"G({k * 5})", G)
    show(f"f({k * 5})", fk)
f = [p[2] for p in parts]
qs = skin_m(f)
show("skin", qs)
q = max((0.15 + 0.45 * 1.0) * QC, 0.3 * QC)
qb = q * AFm
show("q", q)
show("end bearing", qb)
show("total", qs + qb)
