#include "core/inputs.h"

namespace tufu {

namespace {

PointInput refusepoint(std::string why) { return PointInput{std::nullopt, std::move(why)}; }
BoundsInput refusebounds(std::string why) { return BoundsInput{std::nullopt, std::move(why)}; }

// A window field's text, or why it is refused in the words of the field.
struct FieldRead {
  std::optional<Angle> angle;
  std::string error;
};
FieldRead readfield(std::string_view caption, std::string_view text, Angle limit) {
  if (std::string why = whyrefusedfield(text, limit); !why.empty())
    return {std::nullopt, std::string(caption) + why};
  return {limit == kLonLimit ? readlon(text) : readlat(text), {}};
}

BoundsInput ordered(const BlockBounds& b) {
  if (const std::string_view why = whyunordered(b); !why.empty())
    return refusebounds(std::string(why));
  return BoundsInput{b, {}};
}

}  // namespace

PointInput readpoint(std::string_view lon, std::string_view lat) {
  const auto x = readangle(lon, kLonLimit);
  if (!x) return refusepoint(whyrefusedangle(lon, kLonLimit));
  const auto y = readangle(lat, kLatLimit);
  if (!y) return refusepoint(whyrefusedangle(lat, kLatLimit));
  return PointInput{Point{*x, *y}, {}};
}

PointInput readpointfields(std::string_view lon, std::string_view lat) {
  FieldRead x = readfield("经度", lon, kLonLimit);
  if (!x.angle) return refusepoint(std::move(x.error));
  FieldRead y = readfield("纬度", lat, kLatLimit);
  if (!y.angle) return refusepoint(std::move(y.error));
  return PointInput{Point{*x.angle, *y.angle}, {}};
}

std::string_view whyunordered(const BlockBounds& b) {
  if (!(b.east > b.west)) return kEastNotAboveWest;
  if (!(b.north > b.south)) return kNorthNotAboveSouth;
  return {};
}

BoundsInput readbounds(std::string_view west, std::string_view east, std::string_view south,
                       std::string_view north) {
  const auto w = readangle(west, kLonLimit), e = readangle(east, kLonLimit);
  const auto s = readangle(south, kLatLimit), n = readangle(north, kLatLimit);
  if (!w) return refusebounds(whyrefusedangle(west, kLonLimit));
  if (!e) return refusebounds(whyrefusedangle(east, kLonLimit));
  if (!s) return refusebounds(whyrefusedangle(south, kLatLimit));
  if (!n) return refusebounds(whyrefusedangle(north, kLatLimit));
  return ordered(BlockBounds{*w, *e, *s, *n});
}

BoundsInput readboundfields(std::string_view west, std::string_view east,
                            std::string_view south, std::string_view north) {
  FieldRead f[] = {readfield("西界经度", west, kLonLimit), readfield("东界经度", east, kLonLimit),
                   readfield("南界纬度", south, kLatLimit), readfield("北界纬度", north, kLatLimit)};
  for (FieldRead& r : f)
    if (!r.angle) return refusebounds(std::move(r.error));
  return ordered(BlockBounds{*f[0].angle, *f[1].angle, *f[2].angle, *f[3].angle});
}

BlockAnswer blockcovering(const Scale& scale, const BlockBounds& b) {
  auto block = blockquery(scale, b.west, b.east, b.south, b.north);
  if (!block) return BlockAnswer{std::nullopt, std::string(kNoBlock)};
  return BlockAnswer{block, {}};
}

BlockAnswer readblock(const Scale& scale, std::string_view west, std::string_view east,
                      std::string_view south, std::string_view north) {
  BoundsInput in = readbounds(west, east, south, north);
  if (!in.bounds) return BlockAnswer{std::nullopt, std::move(in.error)};
  return blockcovering(scale, *in.bounds);
}

}  // namespace tufu
