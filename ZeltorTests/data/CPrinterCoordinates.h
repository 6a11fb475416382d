#pragma once

#include <cstdint>
#include <vector>

namespace ZeltorTests {

// One axis of a printed graph: its ticks, its page mapping and its line.
struct AxisRecord {
    int32_t firstTick = 0;
    int32_t lastTick = 0;
    // X: the data units between two labels; Y: the data units x multiplier between two ticks.
    int32_t step = 0;
    // X: the data units per tick (the division); Y: the multiplier, a power of ten; the value
    // printed at a Y tick t is t / multiplier.
    int32_t unit = 0;
    int32_t offset = 0; // twips
    float scale = 0.0f; // twips per data unit
    int32_t x1 = 0;
    int32_t y1 = 0;
    int32_t x2 = 0;
    int32_t y2 = 0;
};

// A graph area on a report page and the data range drawn in it. Maps data values to page
// positions (whole twips, Y growing downwards) and divides both axes into ticks and labels.
// One object serves one graph: SetArea, then SetRange or one or more FitY, then ComputeScale,
// then any number of the mappings and axis records. Nothing here raises: an empty or zero-width
// range leaves that axis's scale as it was (0 on a new object), so all its values map to one edge.
class CPrinterCoordinates {
public:
    // X axis: (left, bottom)-(right, bottom); Y axis: (left, top)-(left, bottom).
    void SetArea(int32_t left, int32_t top, int32_t right, int32_t bottom);
    void SetRange(float xMin, float yMin, float xMax, float yMax);
    // X from the array bounds (0 to the sample count, times `factor`); Y widened to the values,
    // with 0 pulled in and 10 % of the span added on each side. A second fit widens the first.
    // An empty array sets the X range 0 to 0 and leaves Y as it is.
    void FitY(const std::vector<float>& values, int32_t factor);
    // Scale and offset of both axes, then the ticks: X every `division` data units, Y at a step
    // of 1, 2 or 5 times a power of ten with at most 11 intervals.
    void ComputeScale(int32_t division);

    // Raise overflow (6) when the position is beyond 32 bits.
    int32_t ToPageX(float v) const;
    int32_t ToPageY(float v) const;
    AxisRecord XAxis() const { return m_xAxis; }
    AxisRecord YAxis() const { return m_yAxis; }
    float XMin() const { return m_xMin; }
    float XMax() const { return m_xMax; }
    float YMin() const { return m_yMin; }
    float YMax() const { return m_yMax; }

private:
    void DivideXAxis(int32_t xmin, int32_t xmax, int32_t division);
    void DivideYAxis(float ymin, float ymax);
    static int32_t NiceStep(int32_t span, int32_t maximumSteps);

    int32_t m_left = 0;
    int32_t m_top = 0;
    int32_t m_right = 0;
    int32_t m_bottom = 0;
    float m_xMin = 0.0f;
    float m_yMin = 0.0f;
    float m_xMax = 0.0f;
    float m_yMax = 0.0f;
    AxisRecord m_xAxis;
    AxisRecord m_yAxis;
    bool m_fitted = false;
};

} // namespace ZeltorTests
