#use domaincheck
// inverse tangent, in radians from -pi/2 to pi/2, the C library's
function arctg(x){return arctg_as("arctg",x);}
function arctg_as(name,x){
  domaincheck(name,[x]);
  return Math.atan(x);
}
