#use domaincheck
// the greatest whole number not above x
function floor(x){
  domaincheck("floor",[x]);
  return Math.floor(x);
}
