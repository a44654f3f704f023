// The EPSG table and the look-ups over it. The rows were written from PROJ's database
// (projinfo --list-crs and projinfo -o PROJJSON); the PROJ test checks them again.
#include "engine/epsg_crs.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <stdexcept>

namespace {

// clang-format off
// code, datum, zone width, zone, central meridian, prefix, false easting, replaced by
const EpsgCrs kTable[] = {
    {2327, EpsgDatum::Xian1980, 6, 13, 75.0, true, 500000.0, 0},
    {2328, EpsgDatum::Xian1980, 6, 14, 81.0, true, 500000.0, 0},
    {2329, EpsgDatum::Xian1980, 6, 15, 87.0, true, 500000.0, 0},
    {2330, EpsgDatum::Xian1980, 6, 16, 93.0, true, 500000.0, 0},
    {2331, EpsgDatum::Xian1980, 6, 17, 99.0, true, 500000.0, 0},
    {2332, EpsgDatum::Xian1980, 6, 18, 105.0, true, 500000.0, 0},
    {2333, EpsgDatum::Xian1980, 6, 19, 111.0, true, 500000.0, 0},
    {2334, EpsgDatum::Xian1980, 6, 20, 117.0, true, 500000.0, 0},
    {2335, EpsgDatum::Xian1980, 6, 21, 123.0, true, 500000.0, 0},
    {2336, EpsgDatum::Xian1980, 6, 22, 129.0, true, 500000.0, 0},
    {2337, EpsgDatum::Xian1980, 6, 23, 135.0, true, 500000.0, 0},
    {2338, EpsgDatum::Xian1980, 6, 13, 75.0, false, 500000.0, 0},
    {2339, EpsgDatum::Xian1980, 6, 14, 81.0, false, 500000.0, 0},
    {2340, EpsgDatum::Xian1980, 6, 15, 87.0, false, 500000.0, 0},
    {2341, EpsgDatum::Xian1980, 6, 16, 93.0, false, 500000.0, 0},
    {2342, EpsgDatum::Xian1980, 6, 17, 99.0, false, 500000.0, 0},
    {2343, EpsgDatum::Xian1980, 6, 18, 105.0, false, 500000.0, 0},
    {2344, EpsgDatum::Xian1980, 6, 19, 111.0, false, 500000.0, 0},
    {2345, EpsgDatum::Xian1980, 6, 20, 117.0, false, 500000.0, 0},
    {2346, EpsgDatum::Xian1980, 6, 21, 123.0, false, 500000.0, 0},
    {2347, EpsgDatum::Xian1980, 6, 22, 129.0, false, 500000.0, 0},
    {2348, EpsgDatum::Xian1980, 6, 23, 135.0, false, 500000.0, 0},
    {2349, EpsgDatum::Xian1980, 3, 25, 75.0, true, 500000.0, 0},
    {2350, EpsgDatum::Xian1980, 3, 26, 78.0, true, 500000.0, 0},
    {2351, EpsgDatum::Xian1980, 3, 27, 81.0, true, 500000.0, 0},
    {2352, EpsgDatum::Xian1980, 3, 28, 84.0, true, 500000.0, 0},
    {2353, EpsgDatum::Xian1980, 3, 29, 87.0, true, 500000.0, 0},
    {2354, EpsgDatum::Xian1980, 3, 30, 90.0, true, 500000.0, 0},
    {2355, EpsgDatum::Xian1980, 3, 31, 93.0, true, 500000.0, 0},
    {2356, EpsgDatum::Xian1980, 3, 32, 96.0, true, 500000.0, 0},
    {2357, EpsgDatum::Xian1980, 3, 33, 99.0, true, 500000.0, 0},
    {2358, EpsgDatum::Xian1980, 3, 34, 102.0, true, 500000.0, 0},
    {2359, EpsgDatum::Xian1980, 3, 35, 105.0, true, 500000.0, 0},
    {2360, EpsgDatum::Xian1980, 3, 36, 108.0, true, 500000.0, 0},
    {2361, EpsgDatum::Xian1980, 3, 37, 111.0, true, 500000.0, 0},
    {2362, EpsgDatum::Xian1980, 3, 38, 114.0, true, 500000.0, 0},
    {2363, EpsgDatum::Xian1980, 3, 39, 117.0, true, 500000.0, 0},
    {2364, EpsgDatum::Xian1980, 3, 40, 120.0, true, 500000.0, 0},
    {2365, EpsgDatum::Xian1980, 3, 41, 123.0, true, 500000.0, 0},
    {2366, EpsgDatum::Xian1980, 3, 42, 126.0, true, 500000.0, 0},
    {2367, EpsgDatum::Xian1980, 3, 43, 129.0, true, 500000.0, 0},
    {2368, EpsgDatum::Xian1980, 3, 44, 132.0, true, 500000.0, 0},
    {2369, EpsgDatum::Xian1980, 3, 45, 135.0, true, 500000.0, 0},
    {2370, EpsgDatum::Xian1980, 3, 25, 75.0, false, 500000.0, 0},
    {2371, EpsgDatum::Xian1980, 3, 26, 78.0, false, 500000.0, 0},
    {2372, EpsgDatum::Xian1980, 3, 27, 81.0, false, 500000.0, 0},
    {2373, EpsgDatum::Xian1980, 3, 28, 84.0, false, 500000.0, 0},
    {2374, EpsgDatum::Xian1980, 3, 29, 87.0, false, 500000.0, 0},
    {2375, EpsgDatum::Xian1980, 3, 30, 90.0, false, 500000.0, 0},
    {2376, EpsgDatum::Xian1980, 3, 31, 93.0, false, 500000.0, 0},
    {2377, EpsgDatum::Xian1980, 3, 32, 96.0, false, 500000.0, 0},
    {2378, EpsgDatum::Xian1980, 3, 33, 99.0, false, 500000.0, 0},
    {2379, EpsgDatum::Xian1980, 3, 34, 102.0, false, 500000.0, 0},
    {2380, EpsgDatum::Xian1980, 3, 35, 105.0, false, 500000.0, 0},
    {2381, EpsgDatum::Xian1980, 3, 36, 108.0, false, 500000.0, 0},
    {2382, EpsgDatum::Xian1980, 3, 37, 111.0, false, 500000.0, 0},
    {2383, EpsgDatum::Xian1980, 3, 38, 114.0, false, 500000.0, 0},
    {2384, EpsgDatum::Xian1980, 3, 39, 117.0, false, 500000.0, 0},
    {2385, EpsgDatum::Xian1980, 3, 40, 120.0, false, 500000.0, 0},
    {2386, EpsgDatum::Xian1980, 3, 41, 123.0, false, 500000.0, 0},
    {2387, EpsgDatum::Xian1980, 3, 42, 126.0, false, 500000.0, 0},
    {2388, EpsgDatum::Xian1980, 3, 43, 129.0, false, 500000.0, 0},
    {2389, EpsgDatum::Xian1980, 3, 44, 132.0, false, 500000.0, 0},
    {2390, EpsgDatum::Xian1980, 3, 45, 135.0, false, 500000.0, 0},
    {2401, EpsgDatum::Beijing1954, 3, 25, 75.0, true, 500000.0, 0},
    {2402, EpsgDatum::Beijing1954, 3, 26, 78.0, true, 500000.0, 0},
    {2403, EpsgDatum::Beijing1954, 3, 27, 81.0, true, 500000.0, 0},
    {2404, EpsgDatum::Beijing1954, 3, 28, 84.0, true, 500000.0, 0},
    {2405, EpsgDatum::Beijing1954, 3, 29, 87.0, true, 500000.0, 0},
    {2406, EpsgDatum::Beijing1954, 3, 30, 90.0, true, 500000.0, 0},
    {2407, EpsgDatum::Beijing1954, 3, 31, 93.0, true, 500000.0, 0},
    {2408, EpsgDatum::Beijing1954, 3, 32, 96.0, true, 500000.0, 0},
    {2409, EpsgDatum::Beijing1954, 3, 33, 99.0, true, 500000.0, 0},
    {2410, EpsgDatum::Beijing1954, 3, 34, 102.0, true, 500000.0, 0},
    {2411, EpsgDatum::Beijing1954, 3, 35, 105.0, true, 500000.0, 0},
    {2412, EpsgDatum::Beijing1954, 3, 36, 108.0, true, 500000.0, 0},
    {2413, EpsgDatum::Beijing1954, 3, 37, 111.0, true, 500000.0, 0},
    {2414, EpsgDatum::Beijing1954, 3, 38, 114.0, true, 500000.0, 0},
    {2415, EpsgDatum::Beijing1954, 3, 39, 117.0, true, 500000.0, 0},
    {2416, EpsgDatum::Beijing1954, 3, 40, 120.0, true, 500000.0, 0},
    {2417, EpsgDatum::Beijing1954, 3, 41, 123.0, true, 500000.0, 0},
    {2418, EpsgDatum::Beijing1954, 3, 42, 126.0, true, 500000.0, 0},
    {2419, EpsgDatum::Beijing1954, 3, 43, 129.0, true, 500000.0, 0},
    {2420, EpsgDatum::Beijing1954, 3, 44, 132.0, true, 500000.0, 0},
    {2421, EpsgDatum::Beijing1954, 3, 45, 135.0, true, 500000.0, 0},
    {2422, EpsgDatum::Beijing1954, 3, 25, 75.0, false, 500000.0, 0},
    {2423, EpsgDatum::Beijing1954, 3, 26, 78.0, false, 500000.0, 0},
    {2424, EpsgDatum::Beijing1954, 3, 27, 81.0, false, 500000.0, 0},
    {2425, EpsgDatum::Beijing1954, 3, 28, 84.0, false, 500000.0, 0},
    {2426, EpsgDatum::Beijing1954, 3, 29, 87.0, false, 500000.0, 0},
    {2427, EpsgDatum::Beijing1954, 3, 30, 90.0, false, 500000.0, 0},
    {2428, EpsgDatum::Beijing1954, 3, 31, 93.0, false, 500000.0, 0},
    {2429, EpsgDatum::Beijing1954, 3, 32, 96.0, false, 500000.0, 0},
    {2430, EpsgDatum::Beijing1954, 3, 33, 99.0, false, 500000.0, 0},
    {2431, EpsgDatum::Beijing1954, 3, 34, 102.0, false, 500000.0, 0},
    {2432, EpsgDatum::Beijing1954, 3, 35, 105.0, false, 500000.0, 0},
    {2433, EpsgDatum::Beijing1954, 3, 36, 108.0, false, 500000.0, 0},
    {2434, EpsgDatum::Beijing1954, 3, 37, 111.0, false, 500000.0, 0},
    {2435, EpsgDatum::Beijing1954, 3, 38, 114.0, false, 500000.0, 0},
    {2436, EpsgDatum::Beijing1954, 3, 39, 117.0, false, 500000.0, 0},
    {2437, EpsgDatum::Beijing1954, 3, 40, 120.0, false, 500000.0, 0},
    {2438, EpsgDatum::Beijing1954, 3, 41, 123.0, false, 500000.0, 0},
    {2439, EpsgDatum::Beijing1954, 3, 42, 126.0, false, 500000.0, 0},
    {2440, EpsgDatum::Beijing1954, 3, 43, 129.0, false, 500000.0, 0},
    {2441, EpsgDatum::Beijing1954, 3, 44, 132.0, false, 500000.0, 0},
    {2442, EpsgDatum::Beijing1954, 3, 45, 135.0, false, 500000.0, 0},
    {4491, EpsgDatum::Cgcs2000, 6, 13, 75.0, true, 500000.0, 0},
    {4492, EpsgDatum::Cgcs2000, 6, 14, 81.0, true, 500000.0, 0},
    {4493, EpsgDatum::Cgcs2000, 6, 15, 87.0, true, 500000.0, 0},
    {4494, EpsgDatum::Cgcs2000, 6, 16, 93.0, true, 500000.0, 0},
    {4495, EpsgDatum::Cgcs2000, 6, 17, 99.0, true, 500000.0, 0},
    {4496, EpsgDatum::Cgcs2000, 6, 18, 105.0, true, 500000.0, 0},
    {4497, EpsgDatum::Cgcs2000, 6, 19, 111.0, true, 500000.0, 0},
    {4498, EpsgDatum::Cgcs2000, 6, 20, 117.0, true, 500000.0, 0},
    {4499, EpsgDatum::Cgcs2000, 6, 21, 123.0, true, 500000.0, 0},
    {4500, EpsgDatum::Cgcs2000, 6, 22, 129.0, true, 500000.0, 0},
    {4501, EpsgDatum::Cgcs2000, 6, 23, 135.0, true, 500000.0, 0},
    {4502, EpsgDatum::Cgcs2000, 6, 13, 75.0, false, 500000.0, 0},
    {4503, EpsgDatum::Cgcs2000, 6, 14, 81.0, false, 500000.0, 0},
    {4504, EpsgDatum::Cgcs2000, 6, 15, 87.0, false, 500000.0, 0},
    {4505, EpsgDatum::Cgcs2000, 6, 16, 93.0, false, 500000.0, 0},
    {4506, EpsgDatum::Cgcs2000, 6, 17, 99.0, false, 500000.0, 0},
    {4507, EpsgDatum::Cgcs2000, 6, 18, 105.0, false, 500000.0, 0},
    {4508, EpsgDatum::Cgcs2000, 6, 19, 111.0, false, 500000.0, 0},
    {4509, EpsgDatum::Cgcs2000, 6, 20, 117.0, false, 500000.0, 0},
    {4510, EpsgDatum::Cgcs2000, 6, 21, 123.0, false, 500000.0, 0},
    {4511, EpsgDatum::Cgcs2000, 6, 22, 129.0, false, 500000.0, 0},
    {4512, EpsgDatum::Cgcs2000, 6, 23, 135.0, false, 500000.0, 0},
    {4513, EpsgDatum::Cgcs2000, 3, 25, 75.0, true, 500000.0, 0},
    {4514, EpsgDatum::Cgcs2000, 3, 26, 78.0, true, 500000.0, 0},
    {4515, EpsgDatum::Cgcs2000, 3, 27, 81.0, true, 500000.0, 0},
    {4516, EpsgDatum::Cgcs2000, 3, 28, 84.0, true, 500000.0, 0},
    {4517, EpsgDatum::Cgcs2000, 3, 29, 87.0, true, 500000.0, 0},
    {4518, EpsgDatum::Cgcs2000, 3, 30, 90.0, true, 500000.0, 0},
    {4519, EpsgDatum::Cgcs2000, 3, 31, 93.0, true, 500000.0, 0},
    {4520, EpsgDatum::Cgcs2000, 3, 32, 96.0, true, 500000.0, 0},
    {4521, EpsgDatum::Cgcs2000, 3, 33, 99.0, true, 500000.0, 0},
    {4522, EpsgDatum::Cgcs2000, 3, 34, 102.0, true, 500000.0, 0},
    {4523, EpsgDatum::Cgcs2000, 3, 35, 105.0, true, 500000.0, 0},
    {4524, EpsgDatum::Cgcs2000, 3, 36, 108.0, true, 500000.0, 0},
    {4525, EpsgDatum::Cgcs2000, 3, 37, 111.0, true, 500000.0, 0},
    {4526, EpsgDatum::Cgcs2000, 3, 38, 114.0, true, 500000.0, 0},
    {4527, EpsgDatum::Cgcs2000, 3, 39, 117.0, true, 500000.0, 0},
    {4528, EpsgDatum::Cgcs2000, 3, 40, 120.0, true, 500000.0, 0},
    {4529, EpsgDatum::Cgcs2000, 3, 41, 123.0, true, 500000.0, 0},
    {4530, EpsgDatum::Cgcs2000, 3, 42, 126.0, true, 500000.0, 0},
    {4531, EpsgDatum::Cgcs2000, 3, 43, 129.0, true, 500000.0, 0},
    {4532, EpsgDatum::Cgcs2000, 3, 44, 132.0, true, 500000.0, 0},
    {4533, EpsgDatum::Cgcs2000, 3, 45, 135.0, true, 500000.0, 0},
    {4534, EpsgDatum::Cgcs2000, 3, 25, 75.0, false, 500000.0, 0},
    {4535, EpsgDatum::Cgcs2000, 3, 26, 78.0, false, 500000.0, 0},
    {4536, EpsgDatum::Cgcs2000, 3, 27, 81.0, false, 500000.0, 0},
    {4537, EpsgDatum::Cgcs2000, 3, 28, 84.0, false, 500000.0, 0},
    {4538, EpsgDatum::Cgcs2000, 3, 29, 87.0, false, 500000.0, 0},
    {4539, EpsgDatum::Cgcs2000, 3, 30, 90.0, false, 500000.0, 0},
    {4540, EpsgDatum::Cgcs2000, 3, 31, 93.0, false, 500000.0, 0},
    {4541, EpsgDatum::Cgcs2000, 3, 32, 96.0, false, 500000.0, 0},
    {4542, EpsgDatum::Cgcs2000, 3, 33, 99.0, false, 500000.0, 0},
    {4543, EpsgDatum::Cgcs2000, 3, 34, 102.0, false, 500000.0, 0},
    {4544, EpsgDatum::Cgcs2000, 3, 35, 105.0, false, 500000.0, 0},
    {4545, EpsgDatum::Cgcs2000, 3, 36, 108.0, false, 500000.0, 0},
    {4546, EpsgDatum::Cgcs2000, 3, 37, 111.0, false, 500000.0, 0},
    {4547, EpsgDatum::Cgcs2000, 3, 38, 114.0, false, 500000.0, 0},
    {4548, EpsgDatum::Cgcs2000, 3, 39, 117.0, false, 500000.0, 0},
    {4549, EpsgDatum::Cgcs2000, 3, 40, 120.0, false, 500000.0, 0},
    {4550, EpsgDatum::Cgcs2000, 3, 41, 123.0, false, 500000.0, 0},
    {4551, EpsgDatum::Cgcs2000, 3, 42, 126.0, false, 500000.0, 0},
    {4552, EpsgDatum::Cgcs2000, 3, 43, 129.0, false, 500000.0, 0},
    {4553, EpsgDatum::Cgcs2000, 3, 44, 132.0, false, 500000.0, 0},
    {4554, EpsgDatum::Cgcs2000, 3, 45, 135.0, false, 500000.0, 0},
    {4568, EpsgDatum::NewBeijing, 6, 13, 75.0, true, 500000.0, 0},
    {4569, EpsgDatum::NewBeijing, 6, 14, 81.0, true, 500000.0, 0},
    {4570, EpsgDatum::NewBeijing, 6, 15, 87.0, true, 500000.0, 0},
    {4571, EpsgDatum::NewBeijing, 6, 16, 93.0, true, 500000.0, 0},
    {4572, EpsgDatum::NewBeijing, 6, 17, 99.0, true, 500000.0, 0},
    {4573, EpsgDatum::NewBeijing, 6, 18, 105.0, true, 500000.0, 0},
    {4574, EpsgDatum::NewBeijing, 6, 19, 111.0, true, 500000.0, 0},
    {4575, EpsgDatum::NewBeijing, 6, 20, 117.0, true, 500000.0, 0},
    {4576, EpsgDatum::NewBeijing, 6, 21, 123.0, true, 500000.0, 0},
    {4577, EpsgDatum::NewBeijing, 6, 22, 129.0, true, 500000.0, 0},
    {4578, EpsgDatum::NewBeijing, 6, 23, 135.0, true, 500000.0, 0},
    {4579, EpsgDatum::NewBeijing, 6, 13, 75.0, false, 500000.0, 0},
    {4580, EpsgDatum::NewBeijing, 6, 14, 81.0, false, 500000.0, 0},
    {4581, EpsgDatum::NewBeijing, 6, 15, 87.0, false, 500000.0, 0},
    {4582, EpsgDatum::NewBeijing, 6, 16, 93.0, false, 500000.0, 0},
    {4583, EpsgDatum::NewBeijing, 6, 17, 99.0, false, 500000.0, 0},
    {4584, EpsgDatum::NewBeijing, 6, 18, 105.0, false, 500000.0, 0},
    {4585, EpsgDatum::NewBeijing, 6, 19, 111.0, false, 500000.0, 0},
    {4586, EpsgDatum::NewBeijing, 6, 20, 117.0, false, 500000.0, 0},
    {4587, EpsgDatum::NewBeijing, 6, 21, 123.0, false, 500000.0, 0},
    {4588, EpsgDatum::NewBeijing, 6, 22, 129.0, false, 500000.0, 0},
    {4589, EpsgDatum::NewBeijing, 6, 23, 135.0, false, 500000.0, 0},
    {4652, EpsgDatum::NewBeijing, 3, 25, 75.0, true, 500000.0, 0},
    {4653, EpsgDatum::NewBeijing, 3, 26, 78.0, true, 500000.0, 0},
    {4654, EpsgDatum::NewBeijing, 3, 27, 81.0, true, 500000.0, 0},
    {4655, EpsgDatum::NewBeijing, 3, 28, 84.0, true, 500000.0, 0},
    {4656, EpsgDatum::NewBeijing, 3, 29, 87.0, true, 500000.0, 0},
    {4766, EpsgDatum::NewBeijing, 3, 30, 90.0, true, 500000.0, 0},
    {4767, EpsgDatum::NewBeijing, 3, 31, 93.0, true, 500000.0, 0},
    {4768, EpsgDatum::NewBeijing, 3, 32, 96.0, true, 500000.0, 0},
    {4769, EpsgDatum::NewBeijing, 3, 33, 99.0, true, 500000.0, 0},
    {4770, EpsgDatum::NewBeijing, 3, 34, 102.0, true, 500000.0, 0},
    {4771, EpsgDatum::NewBeijing, 3, 35, 105.0, true, 500000.0, 0},
    {4772, EpsgDatum::NewBeijing, 3, 36, 108.0, true, 500000.0, 0},
    {4773, EpsgDatum::NewBeijing, 3, 37, 111.0, true, 500000.0, 0},
    {4774, EpsgDatum::NewBeijing, 3, 38, 114.0, true, 500000.0, 0},
    {4775, EpsgDatum::NewBeijing, 3, 39, 117.0, true, 500000.0, 0},
    {4776, EpsgDatum::NewBeijing, 3, 40, 120.0, true, 500000.0, 0},
    {4777, EpsgDatum::NewBeijing, 3, 41, 123.0, true, 500000.0, 0},
    {4778, EpsgDatum::NewBeijing, 3, 42, 126.0, true, 500000.0, 0},
    {4779, EpsgDatum::NewBeijing, 3, 43, 129.0, true, 500000.0, 0},
    {4780, EpsgDatum::NewBeijing, 3, 44, 132.0, true, 500000.0, 0},
    {4781, EpsgDatum::NewBeijing, 3, 45, 135.0, true, 500000.0, 0},
    {4782, EpsgDatum::NewBeijing, 3, 25, 75.0, false, 500000.0, 0},
    {4783, EpsgDatum::NewBeijing, 3, 26, 78.0, false, 500000.0, 0},
    {4784, EpsgDatum::NewBeijing, 3, 27, 81.0, false, 500000.0, 0},
    {4785, EpsgDatum::NewBeijing, 3, 28, 84.0, false, 500000.0, 0},
    {4786, EpsgDatum::NewBeijing, 3, 29, 87.0, false, 500000.0, 0},
    {4787, EpsgDatum::NewBeijing, 3, 30, 90.0, false, 500000.0, 0},
    {4788, EpsgDatum::NewBeijing, 3, 31, 93.0, false, 500000.0, 0},
    {4789, EpsgDatum::NewBeijing, 3, 32, 96.0, false, 500000.0, 0},
    {4790, EpsgDatum::NewBeijing, 3, 33, 99.0, false, 500000.0, 0},
    {4791, EpsgDatum::NewBeijing, 3, 34, 102.0, false, 500000.0, 0},
    {4792, EpsgDatum::NewBeijing, 3, 35, 105.0, false, 500000.0, 0},
    {4793, EpsgDatum::NewBeijing, 3, 36, 108.0, false, 500000.0, 0},
    {4794, EpsgDatum::NewBeijing, 3, 37, 111.0, false, 500000.0, 0},
    {4795, EpsgDatum::NewBeijing, 3, 38, 114.0, false, 500000.0, 0},
    {4796, EpsgDatum::NewBeijing, 3, 39, 117.0, false, 500000.0, 0},
    {4797, EpsgDatum::NewBeijing, 3, 40, 120.0, false, 500000.0, 0},
    {4798, EpsgDatum::NewBeijing, 3, 41, 123.0, false, 500000.0, 0},
    {4799, EpsgDatum::NewBeijing, 3, 42, 126.0, false, 500000.0, 0},
    {4800, EpsgDatum::NewBeijing, 3, 43, 129.0, false, 500000.0, 0},
    {4812, EpsgDatum::NewBeijing, 3, 44, 132.0, false, 500000.0, 0},
    {4822, EpsgDatum::NewBeijing, 3, 45, 135.0, false, 500000.0, 0},
    {21413, EpsgDatum::Beijing1954, 6, 13, 75.0, true, 500000.0, 0},
    {21414, EpsgDatum::Beijing1954, 6, 14, 81.0, true, 500000.0, 0},
    {21415, EpsgDatum::Beijing1954, 6, 15, 87.0, true, 500000.0, 0},
    {21416, EpsgDatum::Beijing1954, 6, 16, 93.0, true, 500000.0, 0},
    {21417, EpsgDatum::Beijing1954, 6, 17, 99.0, true, 500000.0, 0},
    {21418, EpsgDatum::Beijing1954, 6, 18, 105.0, true, 500000.0, 0},
    {21419, EpsgDatum::Beijing1954, 6, 19, 111.0, true, 500000.0, 0},
    {21420, EpsgDatum::Beijing1954, 6, 20, 117.0, true, 500000.0, 0},
    {21421, EpsgDatum::Beijing1954, 6, 21, 123.0, true, 500000.0, 0},
    {21422, EpsgDatum::Beijing1954, 6, 22, 129.0, true, 500000.0, 0},
    {21423, EpsgDatum::Beijing1954, 6, 23, 135.0, true, 500000.0, 0},
    {21453, EpsgDatum::Beijing1954, 6, 13, 75.0, false, 500000.0, 0},
    {21454, EpsgDatum::Beijing1954, 6, 14, 81.0, false, 500000.0, 0},
    {21455, EpsgDatum::Beijing1954, 6, 15, 87.0, false, 500000.0, 0},
    {21456, EpsgDatum::Beijing1954, 6, 16, 93.0, false, 500000.0, 0},
    {21457, EpsgDatum::Beijing1954, 6, 17, 99.0, false, 500000.0, 0},
    {21458, EpsgDatum::Beijing1954, 6, 18, 105.0, false, 500000.0, 0},
    {21459, EpsgDatum::Beijing1954, 6, 19, 111.0, false, 500000.0, 0},
    {21460, EpsgDatum::Beijing1954, 6, 20, 117.0, false, 500000.0, 0},
    {21461, EpsgDatum::Beijing1954, 6, 21, 123.0, false, 500000.0, 0},
    {21462, EpsgDatum::Beijing1954, 6, 22, 129.0, false, 500000.0, 0},
    {21463, EpsgDatum::Beijing1954, 6, 23, 135.0, false, 500000.0, 0},
    {21473, EpsgDatum::Beijing1954, 6, 13, 75.0, false, 500000.0, 21453},
    {21474, EpsgDatum::Beijing1954, 6, 14, 81.0, false, 500000.0, 21454},
    {21475, EpsgDatum::Beijing1954, 6, 15, 87.0, false, 500000.0, 21455},
    {21476, EpsgDatum::Beijing1954, 6, 16, 93.0, false, 500000.0, 21456},
    {21477, EpsgDatum::Beijing1954, 6, 17, 99.0, false, 500000.0, 21457},
    {21478, EpsgDatum::Beijing1954, 6, 18, 105.0, false, 500000.0, 21458},
    {21479, EpsgDatum::Beijing1954, 6, 19, 111.0, false, 500000.0, 21459},
    {21480, EpsgDatum::Beijing1954, 6, 20, 117.0, false, 500000.0, 21460},
    {21481, EpsgDatum::Beijing1954, 6, 21, 123.0, false, 500000.0, 21461},
    {21482, EpsgDatum::Beijing1954, 6, 22, 129.0, false, 500000.0, 21462},
    {21483, EpsgDatum::Beijing1954, 6, 23, 135.0, false, 500000.0, 21463},
};
// clang-format on

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

std::string_view EpsgDatumName(EpsgDatum datum) {
    switch (datum) {
    case EpsgDatum::Cgcs2000:
        return "CGCS2000";
    case EpsgDatum::Xian1980:
        return "Xian 1980";
    case EpsgDatum::Beijing1954:
        return "Beijing 1954";
    case EpsgDatum::NewBeijing:
        return "New Beijing";
    }
    return {};
}

const EllipsoidPreset& EpsgCrs::Preset() const {
    switch (datum) {
    case EpsgDatum::Cgcs2000:
        return Cgcs2000();
    case EpsgDatum::Xian1980:
        return Xian1980();
    case EpsgDatum::Beijing1954:
    case EpsgDatum::NewBeijing:
        return Beijing1954();
    }
    throw std::logic_error("EpsgCrs: unknown datum");
}

ZoneSystem EpsgCrs::System() const {
    return zoneWidth == 3 ? ZoneSystem::Three() : ZoneSystem::Six();
}

std::string EpsgCrs::Name() const {
    std::string name(EpsgDatumName(datum));
    name += zoneWidth == 3 ? " / 3-degree Gauss-Kruger " : " / Gauss-Kruger ";
    if (prefix) {
        name += "zone " + std::to_string(zone);
    } else if (Deprecated()) {
        // The old names of Beijing 1954's 6° systems without the zone number.
        name += std::to_string(zone) + "N";
    } else {
        name += "CM " + std::to_string(static_cast<int>(centralMeridian)) + "E";
    }
    return name;
}

ProjectionParams EpsgCrs::Params(Method method) const {
    return ProjectionParams{
        .ellipsoid = Preset().ellipsoid(),
        .centralMeridian = centralMeridian,
        .k0 = 1.0,
        .falseEasting = falseEasting,
        .falseNorthing = 0.0,
        .zonePrefix = prefix ? std::optional<int>(zone) : std::nullopt,
        .method = method,
    };
}

std::span<const EpsgCrs> EpsgCrsTable() {
    return kTable;
}

const EpsgCrs* FindEpsgCrs(int code) {
    const auto it = std::lower_bound(std::begin(kTable), std::end(kTable), code,
                                     [](const EpsgCrs& row, int c) { return row.code < c; });
    return it != std::end(kTable) && it->code == code ? &*it : nullptr;
}

std::optional<int> ParseEpsgCode(std::string_view text) {
    constexpr std::string_view kAuthority = "epsg:";
    if (text.size() > kAuthority.size()) {
        bool named = true;
        for (std::size_t i = 0; i < kAuthority.size(); ++i) {
            named = named && Lower(text[i]) == kAuthority[i];
        }
        if (named) {
            text.remove_prefix(kAuthority.size());
        }
    }
    // EPSG codes have at most six digits; more is no code, and cannot overflow an int.
    if (text.empty() || text.size() > 6) {
        return std::nullopt;
    }
    int code = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        code = code * 10 + (c - '0');
    }
    return code;
}

std::vector<int> NearestEpsgCodes(int code, std::size_t count) {
    std::vector<int> codes;
    for (const EpsgCrs& row : kTable) {
        if (!row.Deprecated()) {
            codes.push_back(row.code);
        }
    }
    // The table is sorted, so a stable sort by distance keeps the lower code first on a tie.
    std::stable_sort(codes.begin(), codes.end(), [code](int a, int b) {
        return std::abs(static_cast<long long>(a) - code) <
               std::abs(static_cast<long long>(b) - code);
    });
    codes.resize(std::min(count, codes.size()));
    return codes;
}

std::vector<const EpsgCrs*> MatchingEpsgCrs(const ProjectionParams& params, int zoneWidth) {
    std::vector<const EpsgCrs*> matches;
    for (const EpsgCrs& row : kTable) {
        if (row.Deprecated() || (zoneWidth != 0 && row.zoneWidth != zoneWidth)) {
            continue;
        }
        const EllipsoidPreset& ellipsoid = row.Preset();
        if (params.ellipsoid.a() == ellipsoid.a && params.ellipsoid.f() == ellipsoid.f() &&
            params.centralMeridian == row.centralMeridian && params.k0 == 1.0 &&
            params.falseEasting == row.falseEasting && params.falseNorthing == 0.0 &&
            params.zonePrefix == (row.prefix ? std::optional<int>(row.zone) : std::nullopt)) {
            matches.push_back(&row);
        }
    }
    return matches;
}
