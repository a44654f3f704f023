// CGaussProjection: one conversion problem in full (ellipsoid, zone, both coordinate pairs) and
// the operations that read and write it: zone selection, the forward and inverse Gauss-Krüger
// series, and the zone transforms.
//
// The caller loads the object with SetAll, then calls ZoneFromL + BLToXY, ZoneFromY + XYToBL, or
// one zone transform, and reads the results from the members. Nothing is validated and nothing
// is reported: any double goes in, every call returns (non-numbers come out as non-numbers).
#pragma once

class CGaussProjection {
public:
    CGaussProjection() = default;
    virtual ~CGaussProjection() = default;

    void SetAll(int nZoneWidth, double a, double f, double B, double L, double X, double Y);

    void ZoneFromL(); // m_nZone, m_L0 from the whole degrees of m_L
    void ZoneFromY(); // m_nZone, m_L0 from the millions of m_Y
    void BLToXY();    // m_X, m_Y from m_B, m_L in the current zone
    void XYToBL();    // m_B, m_L from m_X, m_Y in the current zone

    void AdjacentZone3(); // into the neighbouring 3° zone on the point's side
    void AdjacentZone6(); // into the neighbouring 6° zone on the point's side
    void Zone3To6();      // from a 3° zone to the point's 6° zone
    void Zone6To3();      // from a 6° zone to the point's 3° zone

    double m_a = 0.0;     // semi-major axis, metres
    double m_f = 0.0;     // flattening (not its inverse)
    double m_L0 = 0.0;    // central meridian, decimal degrees
    int m_nZoneWidth = 6; // 3, or anything else for the 6° system
    int m_nZone = 0;      // zone number
    double m_B = 0.0;     // latitude, packed DDD.MMSSsss
    double m_L = 0.0;     // longitude from Greenwich, packed DDD.MMSSsss
    double m_X = 0.0;     // northing, metres
    double m_Y = 0.0;     // zone × 1000000 + 500000 + easting offset, metres
};
